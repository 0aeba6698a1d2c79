#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <array>

#include "Color.h"
#include "CustomColors.h"
#include "DialogFrame.h"
#include "UserInterface.h"

namespace {

// "Bitmap (*.bmp)|*.bmp|JPEG|*.jpg;*.jpeg" -> Qt's ";;"-separated filter list.
QStringList QtFilters(const QString& filter) {
  QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    // Qt reads the patterns from the last parentheses; a description that
    // already ends with them is used as it stands.
    const QString& description = parts[i];
    if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('(') + patterns + QLatin1Char(')')))
      out << description;
    else
      out << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return out;
}

std::optional<QString> RunFileDialog(QWidget* parent, const TFileDialogRequest& r, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, r.Title);
  SetDialogFrame(&dialog);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);  // the program asks itself
  const QStringList filters = QtFilters(r.Filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    if (r.FilterIndex >= 1 && r.FilterIndex <= filters.size()) dialog.selectNameFilter(filters[r.FilterIndex - 1]);
  }
  QString dir = r.InitialDir;
  QString name = r.FileName;
  const int slash = name.lastIndexOf(QLatin1Char('/'));
  if (slash >= 0) {
    if (dir.isEmpty()) dir = name.left(slash);
    name = name.mid(slash + 1);
  }
  if (!dir.isEmpty()) dialog.setDirectory(dir);
  if (!name.isEmpty() && !name.contains(QLatin1Char('*'))) dialog.selectFile(name);
  if (!r.DefaultExt.isEmpty()) dialog.setDefaultSuffix(r.DefaultExt);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}
}  // namespace

TModalResult QtUserInterface::MessageBox(const QString& text, const QString& title, TMsgDlgButtons buttons) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, FParent);
  struct B {
    QMessageBox::StandardButton Button;
    const char* Caption;
    TModalResult Result;
  };
  std::vector<B> list;
  switch (buttons) {
    case mbOK: list = {{QMessageBox::Ok, "OK", mrOk}}; break;
    case mbOKCancel: list = {{QMessageBox::Ok, "OK", mrOk}, {QMessageBox::Cancel, "キャンセル", mrCancel}}; break;
    case mbYesNo: list = {{QMessageBox::Yes, "はい(&Y)", mrYes}, {QMessageBox::No, "いいえ(&N)", mrNo}}; break;
    case mbYesNoCancel:
      list = {{QMessageBox::Yes, "はい(&Y)", mrYes}, {QMessageBox::No, "いいえ(&N)", mrNo},
              {QMessageBox::Cancel, "キャンセル", mrCancel}};
      break;
  }
  for (const B& b : list) box.addButton(b.Button)->setText(QString::fromUtf8(b.Caption));
  SetDialogFrameAndFitTitle(&box);
  const int pressed = box.exec();
  for (const B& b : list)
    if (pressed == b.Button) return b.Result;
  return buttons == mbOK ? mrOk : mrCancel;
}

void QtUserInterface::ShowError(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Tessolo"), text, QMessageBox::Ok, FParent);
  SetDialogFrameAndFitTitle(&box);
  box.exec();
}

std::optional<QString> QtUserInterface::OpenFileName(const TFileDialogRequest& request) {
  return RunFileDialog(FParent, request, QFileDialog::AcceptOpen);
}
std::optional<QString> QtUserInterface::SaveFileName(const TFileDialogRequest& request) {
  return RunFileDialog(FParent, request, QFileDialog::AcceptSave);
}
std::optional<QString> QtUserInterface::OpenPictureName(const TFileDialogRequest& request) {
  return RunFileDialog(FParent, request, QFileDialog::AcceptOpen);
}

namespace {
// Qt keeps custom colours for the whole process and saves them for the next
// run when a colour dialog goes. For the time of one dialog they are the
// document's; afterwards they are what they were before, so that nothing of
// one document reaches another or Qt's settings file.
class DocumentCustomColors {
 public:
  explicit DocumentCustomColors(const TCustomColors& document) {
    for (int i = 0; i < TCustomColors::Count; ++i) {
      FBefore[size_t(i)] = QColorDialog::customColor(i).rgba();
      const std::optional<TColor>& c = document.At(i);
      FShown[size_t(i)] = c ? Colors::ToQColor(*c).rgb() : kUnsetRgb;
      QColorDialog::setCustomColor(i, QColor::fromRgb(FShown[size_t(i)]));
    }
  }
  ~DocumentCustomColors() {
    for (int i = 0; i < TCustomColors::Count; ++i) QColorDialog::setCustomColor(i, QColor::fromRgba(FBefore[size_t(i)]));
  }
  DocumentCustomColors(const DocumentCustomColors&) = delete;
  DocumentCustomColors& operator=(const DocumentCustomColors&) = delete;

  // What the user left in the dialog. Qt has no unset entry: an entry the
  // user did not change stays as it came (unset ones too), one he changed
  // holds his colour, white included.
  TCustomColors Left(TCustomColors colors) const {
    for (int i = 0; i < TCustomColors::Count; ++i) {
      const QRgb now = QColorDialog::customColor(i).rgb();
      if (now != FShown[size_t(i)]) colors.Set(i, Colors::FromQColor(QColor::fromRgb(now)));
    }
    return colors;
  }

 private:
  // Qt's own empty entry, white.
  static constexpr QRgb kUnsetRgb = 0xFFFFFFFFu;
  std::array<QRgb, TCustomColors::Count> FBefore{};
  std::array<QRgb, TCustomColors::Count> FShown{};
};
}  // namespace

std::optional<TColorReply> QtUserInterface::ChooseColor(const TColorRequest& request) {
  const TCustomColors document = TCustomColors::FromLines(request.CustomColors);
  QColorDialog dialog(Colors::ToQColor(request.Color), FParent);
  // Declared after the dialog so that Qt's colours are restored before the
  // dialog, on going, saves them.
  const DocumentCustomColors custom(document);
  SetDialogFrame(&dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QColor c = dialog.selectedColor();
  if (!c.isValid()) return std::nullopt;
  TColorReply reply;
  reply.Color = Colors::FromQColor(c);
  reply.CustomColors = custom.Left(document).ToLines();
  return reply;
}

bool QtUserInterface::PrintSetup(QPrinter& printer) {
  QPrintDialog dialog(&printer, FParent);
  return dialog.exec() == QDialog::Accepted;
}
