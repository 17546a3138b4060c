#pragma once
// The application form CNSLIST.LOG, in which the characters that a conversion from CNS could not
// convert are listed for the administrator of user-defined characters. Byte strings in code page
// 950 with CR LF line ends.

#include <cstdint>
#include <string>

namespace tessel::form {

// Title, applicant fields and the table's head.
std::string Head();
// The two lines of one character, given by its CNS value (plane x 65536 + code): "1-4421" for
// plane 1, bytes 0x44 0x21.
std::string Entry(std::uint32_t cns_value);
// The table's bottom border and the instructions.
std::string Foot();

}  // namespace tessel::form
