#include "QrCodeDlg.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "DialogFrame.h"
#include "Image.h"
#include "QrCode.h"
#include "QrCodeStrings.h"
#include "StringTable.h"
#include "UserInterface.h"

namespace {
namespace S = QrCodeStrings;
constexpr int kMessageTitle = 1010;
constexpr int kPreviewSide = 200;
constexpr std::array<int, 9> kContactLabels = {S::Name, S::Kana,  S::Company, S::Title,  S::Phone,
                                               S::Fax,  S::Email, S::Url,     S::Address};
constexpr std::array<TQrLevel, 4> kLevels = {TQrLevel::L, TQrLevel::M, TQrLevel::Q, TQrLevel::H};

std::array<QString*, 9> Fields(TQrContact& c) {
  return {&c.Name, &c.Kana, &c.Company, &c.Title, &c.Phone, &c.Fax, &c.Email, &c.Url, &c.Address};
}
}  // namespace

TQrCodeDlg::TQrCodeDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("QrCodeDlg"));
  setWindowTitle(LoadStr(S::Caption));
  SetDialogFrame(this);

  auto* kinds = new QHBoxLayout;
  TextRB = new QRadioButton(LoadStr(S::KindText), this);
  ContactRB = new QRadioButton(LoadStr(S::KindContact), this);
  kinds->addWidget(TextRB);
  kinds->addWidget(ContactRB);
  kinds->addStretch();
  TextRB->setChecked(true);

  Pages = new QStackedWidget(this);
  auto* textPage = new QWidget(Pages);
  auto* textLayout = new QVBoxLayout(textPage);
  textLayout->setContentsMargins(0, 0, 0, 0);
  textLayout->addWidget(new QLabel(LoadStr(S::Content), textPage));
  TextMemo = new QPlainTextEdit(textPage);
  TextMemo->setObjectName(QStringLiteral("TextMemo"));
  textLayout->addWidget(TextMemo);
  Pages->addWidget(textPage);

  auto* contactPage = new QWidget(Pages);
  auto* form = new QFormLayout(contactPage);
  form->setContentsMargins(0, 0, 0, 0);
  for (size_t i = 0; i < ContactEdits.size(); ++i) {
    ContactEdits[i] = new QLineEdit(contactPage);
    form->addRow(LoadStr(kContactLabels[i]), ContactEdits[i]);
  }
  auto* formats = new QHBoxLayout;
  VCardRB = new QRadioButton(LoadStr(S::FormatVCard), contactPage);
  MeCardRB = new QRadioButton(LoadStr(S::FormatMeCard), contactPage);
  VCardRB->setChecked(true);
  formats->addWidget(VCardRB);
  formats->addWidget(MeCardRB);
  formats->addStretch();
  form->addRow(LoadStr(S::Format), formats);
  Pages->addWidget(contactPage);

  auto* settings = new QFormLayout;
  LevelCB = new QComboBox(this);
  LevelCB->setObjectName(QStringLiteral("LevelCB"));
  for (int id : {S::LevelL, S::LevelM, S::LevelQ, S::LevelH}) LevelCB->addItem(LoadStr(id));
  settings->addRow(LoadStr(S::Level), LevelCB);
  SizeEdit = new QDoubleSpinBox(this);
  SizeEdit->setObjectName(QStringLiteral("SizeEdit"));
  SizeEdit->setDecimals(1);
  SizeEdit->setRange(QrMinSizeMm, QrMaxSizeMm);
  SizeEdit->setSingleStep(1.0);
  settings->addRow(LoadStr(S::SizeMm), SizeEdit);

  auto* previewBox = new QGroupBox(LoadStr(S::Preview), this);
  auto* previewLayout = new QVBoxLayout(previewBox);
  PreviewImage = new QLabel(previewBox);
  PreviewImage->setObjectName(QStringLiteral("PreviewImage"));
  PreviewImage->setFixedSize(kPreviewSide, kPreviewSide);
  PreviewImage->setAlignment(Qt::AlignCenter);
  PreviewImage->setWordWrap(true);
  PreviewImage->setStyleSheet(QStringLiteral("background: white; color: black;"));
  previewLayout->addWidget(PreviewImage);

  OKBtn = new QPushButton(LoadStr(S::OK), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton(LoadStr(S::Cancel), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);

  auto* left = new QVBoxLayout;
  left->addLayout(kinds);
  left->addWidget(Pages, 1);
  left->addLayout(settings);
  auto* right = new QVBoxLayout;
  right->addWidget(previewBox);
  right->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right);
  auto* all = new QVBoxLayout(this);
  all->addLayout(columns);
  all->addLayout(buttons);
  resize(620, 420);

  connect(TextRB, &QRadioButton::toggled, this, [this] { KindChanged(); });
  connect(TextMemo, &QPlainTextEdit::textChanged, this, [this] { UpdatePreview(); });
  for (QLineEdit* e : ContactEdits) connect(e, &QLineEdit::textChanged, this, [this] { UpdatePreview(); });
  connect(VCardRB, &QRadioButton::toggled, this, [this] { UpdatePreview(); });
  connect(LevelCB, &QComboBox::currentIndexChanged, this, [this] { UpdatePreview(); });
  connect(OKBtn, &QPushButton::clicked, this, &TQrCodeDlg::OKBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  SetRequest(TQrRequest());
}

void TQrCodeDlg::HandIn(const TQrRequest& request, bool editing) {
  setWindowTitle(LoadStr(editing ? S::EditCaption : S::Caption));
  // A code edited in place keeps its bounds; the picture-size command
  // resizes it.
  SizeEdit->setEnabled(!editing);
  SetRequest(request);
}

void TQrCodeDlg::SetRequest(const TQrRequest& request) {
  FFilling = true;
  const bool text = request.Kind == TQrContentKind::Text;
  TextRB->setChecked(text);
  ContactRB->setChecked(!text);
  TextMemo->setPlainText(request.Text);
  TQrContact contact = request.Contact;
  const auto fields = Fields(contact);
  for (size_t i = 0; i < fields.size(); ++i) ContactEdits[i]->setText(*fields[i]);
  VCardRB->setChecked(request.Format == TContactFormat::VCard);
  MeCardRB->setChecked(request.Format == TContactFormat::MeCard);
  LevelCB->setCurrentIndex(int(request.Level));
  SizeEdit->setValue(double(request.SizeMm));
  FFilling = false;
  KindChanged();
}

TQrRequest TQrCodeDlg::Request() const {
  TQrRequest r;
  r.Kind = TextRB->isChecked() ? TQrContentKind::Text : TQrContentKind::Contact;
  r.Text = TextMemo->toPlainText();
  const auto fields = Fields(r.Contact);
  for (size_t i = 0; i < fields.size(); ++i) *fields[i] = ContactEdits[i]->text();
  r.Format = MeCardRB->isChecked() ? TContactFormat::MeCard : TContactFormat::VCard;
  const int level = LevelCB->currentIndex();
  r.Level = level >= 0 && level < int(kLevels.size()) ? kLevels[size_t(level)] : TQrLevel::M;
  r.SizeMm = float(SizeEdit->value());
  return r;
}

void TQrCodeDlg::KindChanged() {
  Pages->setCurrentIndex(TextRB->isChecked() ? 0 : 1);
  UpdatePreview();
}

void TQrCodeDlg::UpdatePreview() {
  if (FFilling) return;
  const TQrRequest r = Request();
  const TOutcomeOf<QImage> made = QrCodePicture(r.Content(), r.Level);
  FPreviewReason = made.Reason();
  if (!made.Ok()) {
    PreviewImage->setPixmap(QPixmap());
    PreviewImage->setText(FPreviewReason);
    return;
  }
  const QImage& code = made.Value();
  // Whole pixels per module, as the printed code has.
  const int scale = std::max(1, kPreviewSide / code.width());
  PreviewImage->setPixmap(QPixmap::fromImage(
      code.scaled(code.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
}

void TQrCodeDlg::OKBtnClick() {
  const TQrRequest r = Request();
  TImage probe(nullptr);
  if (const TOutcome made = MakeQrCode(probe, r.Content(), r.Level); !made.Ok()) {
    // The dialog stays open with everything typed.
    UI().MessageBox(made.Reason(), LoadStr(kMessageTitle), mbOK);
    return;
  }
  accept();
}
