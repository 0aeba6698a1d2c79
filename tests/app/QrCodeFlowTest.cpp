// QR codes through the main window: placed from the その他 menu, reopened by
// a double-click and re-made in place, refused when too long, offered by the
// popups, and saved and reopened byte for byte with their content in --info.
#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include "DocumentInfo.h"
#include "PanelView.h"
#include "QrCode.h"
#include "QrCodeDlg.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "Unit3.h"
#include "WinControl.h"

namespace {

class QrForm : public TForm3 {
 public:
  using TForm3::TForm3;
  void RunStartWizard(int) override {}

 protected:
  void ExecPopupMenu(const QPoint&) override {}
};

void Mouse(PanelView* view, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(p), view->mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(view, &e);
}
void Click(PanelView* view, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
  Mouse(view, QEvent::MouseButtonPress, p, b, b);
  Mouse(view, QEvent::MouseButtonRelease, p, b, Qt::NoButton);
}
void DoubleClick(PanelView* view, QPoint p) {
  Click(view, p);
  Mouse(view, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
  Mouse(view, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

QByteArray FileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TQrContact Yamada() {
  TQrContact c;
  c.Name = QStringLiteral("山田 太郎");
  c.Kana = QStringLiteral("ヤマダ タロウ");
  c.Company = QStringLiteral("株式会社テスト");
  c.Phone = QStringLiteral("03-1234-5678");
  c.Email = QStringLiteral("taro@example.jp");
  return c;
}

}  // namespace

TEST(QrCodeFlow, PlaceEditRefuseSaveAndReopen) {
  QTemporaryDir program;
  ASSERT_TRUE(program.isValid());
  ScopedScriptedUI scripted;
  ScriptedUserInterface& ui = scripted.Ui;
  auto form = std::make_unique<QrForm>(nullptr, program.path());
  form->ResetWorksheet();
  form->DocumentFileName = form->DefaultFileName;
  form->DocumentOpen = true;
  form->UpdateCommands();
  form->Modified = false;
  form->SnapToGrid = false;

  // The menu command: a contact at level Q, placed in the middle of the card.
  TQrRequest opened;
  form->RunQrCodeDialog = [&](TQrCodeDlg& dlg) {
    opened = dlg.Request();
    dlg.ContactRB->click();
    EXPECT_FALSE(dlg.PreviewReason().isEmpty());  // no field filled in yet
    TQrRequest r;
    r.Kind = TQrContentKind::Contact;
    r.Contact = Yamada();
    r.Level = TQrLevel::Q;
    dlg.SetRequest(r);
    EXPECT_TRUE(dlg.PreviewReason().isEmpty());
    dlg.OKBtn->click();
    return dlg.result() == QDialog::Accepted;
  };
  int changes = form->ChangeCount;
  emit form->OtherMenu->aboutToShow();
  ASSERT_TRUE(form->OtherQrCode->isEnabled());
  form->OtherQrCode->trigger();
  EXPECT_EQ(opened.Level, TQrLevel::M);
  EXPECT_EQ(opened.SizePx(), 100);  // 20 mm
  ASSERT_EQ(form->ObjectList.size(), 1u);
  auto* code = dynamic_cast<TImage*>(form->ObjectList[0]);
  ASSERT_TRUE(code && IsQrCode(*code));
  const QString vcard = EncodeContact(Yamada(), TContactFormat::VCard);
  EXPECT_EQ(code->Hint(), vcard);
  EXPECT_EQ(code->BoundsRect(), QRect(177, 87, 100, 100));
  EXPECT_EQ(QrLevelOf(*code), TQrLevel::Q);
  EXPECT_EQ(form->ChangeCount, changes + 1);
  EXPECT_TRUE(form->Modified);

  // Its popup edits it rather than replacing it with a file.
  Click(form->DrawView, {200, 120}, Qt::RightButton);
  EXPECT_TRUE(form->LastPopup().Has(TPopupItem::QrCodeEdit));
  EXPECT_FALSE(form->LastPopup().Has(TPopupItem::ImageChange));
  Click(form->DrawView, {20, 20}, Qt::RightButton);
  EXPECT_TRUE(form->LastPopup().Has(TPopupItem::QrCodeInsert));

  // A double-click reopens the dialog on the contact; OK re-makes the code in place.
  const QString url = QStringLiteral("https://example.jp/?q=名刺");
  bool sizeLocked = false;
  form->RunQrCodeDialog = [&](TQrCodeDlg& dlg) {
    opened = dlg.Request();
    sizeLocked = !dlg.SizeEdit->isEnabled();
    TQrRequest r;
    r.Text = url;
    r.Level = TQrLevel::H;
    dlg.SetRequest(r);
    dlg.OKBtn->click();
    return dlg.result() == QDialog::Accepted;
  };
  changes = form->ChangeCount;
  DoubleClick(form->DrawView, {200, 120});
  EXPECT_EQ(opened.Kind, TQrContentKind::Contact);
  EXPECT_EQ(opened.Contact, Yamada());
  EXPECT_EQ(opened.Level, TQrLevel::Q);
  EXPECT_TRUE(sizeLocked);
  ASSERT_EQ(form->ObjectList.size(), 1u);
  EXPECT_EQ(form->ObjectList[0], code);
  EXPECT_EQ(code->BoundsRect(), QRect(177, 87, 100, 100));
  EXPECT_EQ(code->Hint(), url);
  EXPECT_EQ(QrLevelOf(*code), TQrLevel::H);
  EXPECT_EQ(form->ChangeCount, changes + 1);
  EXPECT_FALSE(form->Dragging);

  // Too long: OK keeps the dialog open with a message; a dialog that closes
  // anyway still places nothing.
  changes = form->ChangeCount;
  for (bool pressOk : {true, false}) {
    form->RunQrCodeDialog = [&](TQrCodeDlg& dlg) {
      TQrRequest r;
      r.Text = QString(1400, QChar(u'x'));
      r.Level = TQrLevel::H;
      dlg.SetRequest(r);
      EXPECT_FALSE(dlg.PreviewReason().isEmpty());
      if (!pressOk) return true;
      dlg.OKBtn->click();
      return dlg.result() == QDialog::Accepted;
    };
    form->OtherQrCode->trigger();
  }
  ASSERT_EQ(ui.Messages().size(), 2u);
  for (const QString& m : ui.Messages()) EXPECT_TRUE(m.contains(QStringLiteral("レベルH"))) << m.toStdString();
  EXPECT_EQ(form->ObjectList.size(), 1u);
  EXPECT_EQ(form->ChangeCount, changes);

  // Saved, reopened and saved again: the same bytes; --info shows the content.
  const QString saved = program.filePath(QStringLiteral("card.tsl"));
  ui.ReplyFile(saved);
  form->FileSaveClick();
  ASSERT_FALSE(form->Modified);
  auto reopened = std::make_unique<QrForm>(nullptr, program.path());
  ui.ReplyFile(saved);
  reopened->FileOpenClick();
  ASSERT_EQ(reopened->ObjectList.size(), 1u);
  auto* back = dynamic_cast<TImage*>(reopened->ObjectList[0]);
  ASSERT_TRUE(back && IsQrCode(*back));
  EXPECT_EQ(QrLevelOf(*back), TQrLevel::H);
  EXPECT_TRUE(back->PixelExact());
  const QString again = program.filePath(QStringLiteral("again.tsl"));
  reopened->DocumentFileName = again;
  reopened->FileSaveClick();
  EXPECT_EQ(FileBytes(again), FileBytes(saved));
  const QJsonObject info =
      DescribeDocument(*reopened, reopened->DocumentSetup, reopened->DocumentVersion)["objects"][0].toObject();
  EXPECT_EQ(info["tag"].toInt(), QrCodeTag);
  EXPECT_EQ(info["hint"].toString(), url);
  EXPECT_EQ(ui.Messages().size(), 2u);
}
