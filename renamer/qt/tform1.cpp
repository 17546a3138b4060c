#include "qt/tform1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>

#include "core/form_texts.h"
#include "core/program_icon.h"
#include "qt/browse_for_folder_dialog.h"

namespace {

QString Q(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

QString Text(quillon::TextId id) { return Q(quillon::TextOf(id)); }

// The platform's font height: a negative height is the character height in pixels.
QFont Font(const quillon::FontSpec& spec) {
  QFont font(QString::fromLatin1(spec.face.data(), static_cast<qsizetype>(spec.face.size())));
  font.setPixelSize(spec.height < 0 ? -spec.height : spec.height);
  return font;
}

QColor Colour(const quillon::IconColour& colour) { return QColor(colour.red, colour.green, colour.blue); }

QIcon ProgramIcon() {
  const quillon::IconDrawing& drawing = quillon::ProgramIcon();
  QPixmap pixmap(drawing.size, drawing.size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  for (const quillon::IconShape& shape : drawing.shapes) {
    p.setPen(QPen(Colour(shape.pen), shape.pen_width));
    p.setBrush(shape.fill ? QBrush(Colour(*shape.fill)) : QBrush(Qt::NoBrush));
    if (shape.kind == quillon::IconShapeKind::kRectangle) {
      p.drawRect(shape.x, shape.y, shape.width, shape.height);
    } else {
      p.drawLine(shape.x, shape.y, shape.x + shape.width, shape.y + shape.height);
    }
  }
  return QIcon(pixmap);
}

QMessageBox::Icon BoxIcon(quillon::MessageIcon icon) {
  switch (icon) {
    case quillon::MessageIcon::kWarning:
      return QMessageBox::Warning;
    case quillon::MessageIcon::kInformation:
      return QMessageBox::Information;
    case quillon::MessageIcon::kError:
      break;
  }
  return QMessageBox::Critical;
}

}  // namespace

TForm1::TForm1(const FormServices& services, QWidget* parent)
    : QWidget(parent),
      session_(*services.startup, *services.files, *services.logs, *services.clock, services.style),
      model_(session_, *this) {
  CreateControls();
  model_.FormCreate(services.table_path);
}

TForm1::~TForm1() {
  if (model_.Busy()) QApplication::restoreOverrideCursor();
}

void TForm1::CreateControls() {
  const quillon::WindowSpec& window = quillon::MainWindow();
  setObjectName(QString::fromLatin1(window.name.data(), static_cast<qsizetype>(window.name.size())));
  setWindowTitle(Text(window.caption));
  setWindowIcon(ProgramIcon());
  Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  if (window.system_menu) flags |= Qt::WindowSystemMenuHint;
  if (window.minimize_box) flags |= Qt::WindowMinimizeButtonHint;
  if (window.maximize_box) flags |= Qt::WindowMaximizeButtonHint;
  if (window.fixed_border) flags |= Qt::MSWindowsFixedSizeDialogHint;
  setWindowFlags(flags);
  if (window.fixed_border) {
    setFixedSize(window.client_width, window.client_height);
  } else {
    resize(window.client_width, window.client_height);
  }
  setFont(Font(window.font));
  if (window.button_face_background) {
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);
  }

  // Created in tab order; group boxes go under the controls placed over them.
  QList<QWidget*> tab_order;
  for (const quillon::ControlSpec& spec : window.controls) {
    QWidget* control = CreateControl(spec);
    if (auto* group = qobject_cast<TRadioGroup*>(control)) {
      for (int i = 0; i < group->Count(); ++i) tab_order.append(group->Button(i));
      group->lower();
    } else if (control->focusPolicy() != Qt::NoFocus) {
      tab_order.append(control);
    }
  }
  for (qsizetype i = 0; i + 1 < tab_order.size(); ++i) setTabOrder(tab_order[i], tab_order[i + 1]);

  rgDir = findChild<TRadioGroup*>("rgDir");
  rgpFolder = findChild<TRadioGroup*>("rgpFolder");
  edtHD = findChild<QLineEdit*>("edtHD");
  edtPath = findChild<QLineEdit*>("edtPath");
  btnBrowser = findChild<QPushButton*>("btnBrowser");
  btnStart = findChild<QPushButton*>("btnStart");
  lvLog = findChild<TReportListView*>("lvLog");
  btnStop = findChild<QPushButton*>("btnStop");
  lblNow = findChild<QLabel*>("lblNow");

  if (window.centred) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
  }
}

QWidget* TForm1::CreateControl(const quillon::ControlSpec& spec) {
  using quillon::ControlKind;
  const quillon::PixelRect& r = spec.rect;
  auto has = [&](std::uint32_t flag) { return (spec.properties & flag) != 0; };
  QWidget* control = nullptr;
  switch (spec.kind) {
    case ControlKind::kRadioGroup: {
      QStringList items;
      for (const quillon::RadioItem& item : spec.items) items << Text(item.text);
      auto* group = new TRadioGroup(Text(spec.text), items, this);
      if (spec.font) group->setFont(Font(*spec.font));
      group->SetBounds(r.left, r.top, r.width, r.height);
      group->SetItemIndex(quillon::kSelectedAtStart);
      control = group;
      break;
    }
    case ControlKind::kEdit: {
      auto* edit = new QLineEdit(Text(spec.text), this);
      edit->setReadOnly(has(quillon::kReadOnly));
      edit->setFrame(!has(quillon::kFlatBorder));
      control = edit;
      break;
    }
    case ControlKind::kButton:
      control = new QPushButton(Text(spec.text), this);
      break;
    case ControlKind::kListView: {
      auto* list = new TReportListView(this);
      QStringList titles;
      QList<int> widths;
      for (const quillon::ListColumn& column : spec.columns) {
        titles << Text(column.title);
        widths << column.width;
      }
      list->SetColumns(titles, widths);
      list->Header()->setSectionsClickable(!has(quillon::kHeadersNotClickable));
      control = list;
      break;
    }
    case ControlKind::kLabel: {
      auto* label = new QLabel(Text(spec.text), this);
      label->setWordWrap(has(quillon::kWordWrap));
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      control = label;
      break;
    }
  }
  control->setObjectName(QString::fromLatin1(spec.name.data(), static_cast<qsizetype>(spec.name.size())));
  if (spec.font && spec.kind != ControlKind::kRadioGroup) control->setFont(Font(*spec.font));
  if (spec.kind != ControlKind::kRadioGroup) control->setGeometry(r.left, r.top, r.width, r.height);
  if (has(quillon::kFixedSize)) control->setFixedSize(r.width, r.height);
  if (has(quillon::kTakesNoFocus)) control->setFocusPolicy(Qt::NoFocus);
  if (has(quillon::kDisabledAtStart)) control->setEnabled(false);
  if (has(quillon::kButtonFaceBackground)) {
    QPalette face = control->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    control->setPalette(face);
  }
  const int id = spec.id;
  if (spec.event == quillon::ControlEvent::kClick) {
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      connect(button, &QPushButton::clicked, this,
              [this, id] { model_.OnControlEvent(id, quillon::ControlEvent::kClick); });
    }
  } else if (spec.event == quillon::ControlEvent::kEnter) {
    control->setProperty("controlId", id);
    control->installEventFilter(this);
  }
  return control;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  // Every focus-in enters the field, whatever its reason: a click into an inactive window gives
  // the field the focus only as the window becomes active, with the activation as the reason.
  if (event->type() == QEvent::FocusIn) {
    const QVariant id = watched->property("controlId");
    if (id.isValid()) model_.OnControlEvent(id.toInt(), quillon::ControlEvent::kEnter);
  }
  return QWidget::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent* event) {
  model_.FormClose();
  event->accept();
}

int TForm1::DirectionItem() { return rgDir->ItemIndex(); }

int TForm1::ScopeItem() { return rgpFolder->ItemIndex(); }

std::u16string TForm1::FolderText() { return edtPath->text().toStdU16String(); }

void TForm1::SelectScopeItem(int item) { rgpFolder->SetItemIndex(item); }

void TForm1::SetDriveText(std::u16string_view text) { edtHD->setText(Q(text)); }

void TForm1::SetFolderText(std::u16string_view text) { edtPath->setText(Q(text)); }

void TForm1::FocusFolderField() { edtPath->setFocus(Qt::OtherFocusReason); }

void TForm1::SetStartEnabled(bool enabled) { btnStart->setEnabled(enabled); }

void TForm1::SetStopEnabled(bool enabled) { btnStop->setEnabled(enabled); }

void TForm1::SetBusyCursor(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void TForm1::ClearRows() { lvLog->Clear(); }

void TForm1::AddRow(std::u16string_view display_name, std::u16string_view result, std::u16string_view folder) {
  lvLog->AddRow(Q(display_name), Q(result), Q(folder));
}

void TForm1::ShowFolder(std::u16string_view path) { lblNow->setText(Q(path)); }

void TForm1::ShowMessage(const quillon::FormMessage& message) {
  QMessageBox box(BoxIcon(message.icon), Q(message.caption), Q(message.text), QMessageBox::Ok,
                  isVisible() ? this : nullptr);
  box.exec();
}

std::optional<std::string> TForm1::BrowseForFolder(std::u16string_view title) {
  TBrowseForFolderDialog dialog;
  browse_title_ = Q(title).toLocal8Bit();
  dialog.SetTitle(browse_title_.constData());
  if (!dialog.Execute()) return std::nullopt;
  return dialog.Folder();
}

void TForm1::HandlePendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }
