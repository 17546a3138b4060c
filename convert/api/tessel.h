/*
 * tessel: conversion of text between CNS 11643 (seven-bit ISO 2022 form and four-byte EUC form)
 * and Big5, UCS-2 or GBK, through five code table files loaded when the library is attached.
 *
 * Every function runs synchronously on the caller's thread and returns an integer. The library
 * keeps process-wide state (the tables, the seven-bit coder's state, the character list path) and
 * takes no locks: call its functions from one thread at a time.
 */
#ifndef TESSEL_H
#define TESSEL_H

#include <stdint.h>

#if defined(_WIN32)
#define TESSEL_CALL __stdcall
#define TESSEL_API
#else
#define TESSEL_CALL
#define TESSEL_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Code selectors: only the low 8 bits of a selector argument count. */
enum {
  CVT_CNS = 0,      /* CNS 11643, seven-bit ISO 2022 form (SO/SI, ESC $ ) G ...) */
  CVT_EUC = 1,      /* CNS 11643, EUC form: 8E, A0 + plane, first | 80, second | 80 */
  CVT_BIG5 = 2,     /* Big5 */
  CVT_BIG5_ALT = 3, /* Big5, differing from CVT_BIG5 only in the pair check */
  CVT_UCS = 4,      /* UCS-2, little-endian code units */
  CVT_GBK = 18      /* GBK */
};

/* Result codes. */
enum {
  CVT_OK = 0,
  CVT_ERR_SOURCE = 1,       /* the source selector is not 0-4 or 18 */
  CVT_ERR_TARGET = 2,       /* the target selector is not 0-4 or 18 */
  CVT_ERR_PAIR = -1,        /* the selectors share a bit; or the temporary file of an in-place
                               file conversion cannot be created */
  CVT_ERR_NO_TABLE = 3,     /* a required table file could not be read */
  CVT_ERR_BAD_TABLE = 4,    /* a table file's header is bad */
  CVT_ERR_OPEN_SOURCE = 5,  /* the source file cannot be opened */
  CVT_ERR_CREATE_TARGET = 6 /* the target file cannot be created or written */
};

/*
 * Worst-case size of the output buffer of CVT_StringConvert for an input of n bytes (not counting
 * the input's terminating zeros): at most 8 bytes per input byte (a substitute such as <14421>
 * widened to UCS-2 for a two-byte character), 16 bytes for a character cut off at the end, and the
 * three zero bytes written after the text.
 */
#define CVT_MAX_OUTPUT_SIZE(n) (8 * (n) + 19)

/*
 * Converts the string `input` from encoding `source` to encoding `target` into `output`.
 * `input` ends where two zero bytes follow each other (for CVT_UCS at the first zero code unit);
 * it may be of any length. The converted bytes are written from the start of `output`, followed
 * by three zero bytes; `output` must hold CVT_MAX_OUTPUT_SIZE(n) bytes. A character that cannot
 * be converted becomes a visible substitute: plane 1 0x21 0x7B for CVT_CNS, otherwise its code in
 * hexadecimal between angle brackets. Pairs with CNS on neither side are converted through CNS;
 * CVT_CNS to CVT_CNS copies the text unchanged. On a refusal `output` is left untouched; a null
 * `input` or `output` is refused with CVT_ERR_PAIR.
 */
TESSEL_API int32_t TESSEL_CALL CVT_StringConvert(int32_t source, int32_t target, const char* input, char* output);

/*
 * Converts the file `sourcePath` into `targetPath`, line by line, writing the seven-bit header
 * (SI, ESC $ ) G, ESC $ * H) and a final SI for CVT_CNS, or the byte-order mark FF FE for CVT_UCS;
 * a CVT_UCS source is read from its third byte. Paths are in the system code page. When both name
 * the same file, however spelled, the file is converted in place: the result goes to a temporary
 * file beside it and replaces it only when complete. The seven-bit decoder's state carries over
 * from the previous conversion unless the target is CVT_CNS. Besides the codes of
 * CVT_StringConvert: CVT_ERR_OPEN_SOURCE when the source cannot be opened for reading and writing
 * (or read), CVT_ERR_CREATE_TARGET when the target cannot be created (or written), CVT_ERR_PAIR when
 * the temporary file of an in-place conversion cannot be created, written or put in place. On
 * failure the source is untouched and no file made by the call remains.
 */
TESSEL_API int32_t TESSEL_CALL CVT_FileConvert(int32_t source, int32_t target, const char* sourcePath,
                                               const char* targetPath);

/*
 * Starts the character list form CNSLIST.LOG (code page 950) in the configured table path
 * (TablePath of CNSCVT.INI, "." by default), truncating an earlier one: 1, or 0 when it cannot be
 * created. From then on, every CNS character that a conversion from CVT_CNS cannot convert gets a
 * row of the form.
 */
TESSEL_API int32_t TESSEL_CALL CVT_TableListStart(void);

/* Appends the form's closing lines: 1, or 0 when it cannot be opened (also before any start). */
TESSEL_API int32_t TESSEL_CALL CVT_TableListEnd(void);

#ifdef __cplusplus
}
#endif

#endif /* TESSEL_H */
