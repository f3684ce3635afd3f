// ChooseFontA: one dialog with the installed faces, the point size, the
// weight, italic, underline, strike-out and the text colour, composed of Qt's
// widgets since Qt's own font dialog has no colour; or the test program's
// answer.

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/controls/commdlg.h"
#include "platform/draw/dc.h"
#include "platform/draw/font.h"
#include "platform/draw/gdi.h"
#include "platform/draw/gdi_qt.h"
#include "platform/window/testing.h"
#include "platform/window/window_impl.h"

namespace {

TChooseFontHandler& Handler() {
  static TChooseFontHandler handler;
  return handler;
}

struct TWeightName {
  LONG weight;
  const char* name;  // UTF-8
};
constexpr TWeightName kWeights[] = {{FW_THIN, "Тонкий"},    {FW_LIGHT, "Светлый"}, {FW_NORMAL, "Обычный"},
                                    {FW_SEMIBOLD, "Полужирный"}, {FW_BOLD, "Жирный"},  {FW_HEAVY, "Чёрный"}};

int NearestWeight(LONG weight) {
  int best = 2;
  for (int i = 0; i < static_cast<int>(std::size(kWeights)); ++i)
    if (std::abs(kWeights[i].weight - weight) < std::abs(kWeights[best].weight - weight)) best = i;
  return best;
}

void ShowColour(QPushButton& button, QColor colour) {
  button.setStyleSheet(QString("background-color: %1").arg(colour.name()));
}

}  // namespace

void SetChooseFontHandler(TChooseFontHandler handler) { Handler() = std::move(handler); }

bool ChooseFontA(CHOOSEFONT* choose) {
  if (choose == nullptr || choose->lpLogFont == nullptr) return false;
  if (Handler()) return Handler()(*choose);
  if (msgqueue::TestMode()) {
    ReportUnansweredPrompt("font chooser");
    return false;
  }
  EnsureQtApplication();
  LOGFONT& font = *choose->lpLogFont;
  const int dpi = choose->hDC ? choose->hDC->GetDeviceCaps(LOGPIXELSY) : 96;
  const bool limited = (choose->Flags & CF_LIMITSIZE) != 0;
  const int minSize = limited ? std::max(1, choose->nSizeMin) : 1;
  const int maxSize = limited ? std::max(minSize, choose->nSizeMax) : 1638;
  const bool effects = (choose->Flags & CF_EFFECTS) != 0;
  const bool initial = (choose->Flags & CF_INITTOLOGFONTSTRUCT) != 0;

  TWindow* owner = GetWindowPtr(choose->hwndOwner);
  QWidget* parent = owner && owner->Impl()->outer ? owner->Impl()->outer->window() : nullptr;
  QDialog dialog(parent);
  dialog.setWindowTitle(QString::fromUtf8("Шрифт"));
  dialog.setWindowModality(Qt::ApplicationModal);
  auto* form = new QFormLayout;
  auto* face = new QFontComboBox;
  auto* size = new QSpinBox;
  size->setRange(minSize, maxSize);
  auto* weight = new QComboBox;
  for (const TWeightName& entry : kWeights) weight->addItem(QString::fromUtf8(entry.name));
  auto* italic = new QCheckBox(QString::fromUtf8("Курсив"));
  auto* underline = new QCheckBox(QString::fromUtf8("Подчёркнутый"));
  auto* strikeOut = new QCheckBox(QString::fromUtf8("Зачёркнутый"));
  auto* colourButton = new QPushButton;
  QColor colour = ToQColor(choose->rgbColors);
  ShowColour(*colourButton, colour);
  QObject::connect(colourButton, &QPushButton::clicked, &dialog, [&] {
    const QColor picked = QColorDialog::getColor(colour, &dialog);
    if (!picked.isValid()) return;
    colour = picked;
    ShowColour(*colourButton, colour);
  });
  form->addRow(QString::fromUtf8("Шрифт:"), face);
  form->addRow(QString::fromUtf8("Размер:"), size);
  form->addRow(QString::fromUtf8("Начертание:"), weight);
  form->addRow(italic);
  if (effects) {
    form->addRow(underline);
    form->addRow(strikeOut);
    form->addRow(QString::fromUtf8("Цвет:"), colourButton);
  }

  int points = 10;
  if (initial) {
    if (font.lfFaceName[0] != '\0') face->setCurrentFont(QFont(QStringFrom1251(font.lfFaceName)));
    if (font.lfHeight != 0) points = MulDiv(std::abs(static_cast<int>(font.lfHeight)), 72, dpi);
    weight->setCurrentIndex(NearestWeight(font.lfWeight));
    italic->setChecked(font.lfItalic != 0);
    underline->setChecked(font.lfUnderline != 0);
    strikeOut->setChecked(font.lfStrikeOut != 0);
  } else {
    weight->setCurrentIndex(NearestWeight(FW_NORMAL));
  }
  size->setValue(std::clamp(points, minSize, maxSize));
  // A face that is not installed shows as its substitute; unless the user
  // picks another face, the one asked for is handed back unchanged.
  bool faceChanged = false;
  QObject::connect(face, &QFontComboBox::currentFontChanged, &dialog, [&] { faceChanged = true; });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8("ОК"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("Отмена"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(form);
  layout->addWidget(buttons);

  const bool chosen = dialog.exec() == QDialog::Accepted;
  ActivateOwner(OwnerToActivate(&dialog));
  if (!chosen) return false;

  if (faceChanged || !initial || font.lfFaceName[0] == '\0') {
    const std::string faceName = To1251(face->currentFont().family());
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, faceName.data(), std::min(faceName.size(), sizeof font.lfFaceName - 1));
  }
  font.lfHeight = -MulDiv(size->value(), dpi, 72);
  font.lfWidth = font.lfEscapement = font.lfOrientation = 0;
  font.lfWeight = kWeights[weight->currentIndex()].weight;
  font.lfItalic = italic->isChecked() ? 1 : 0;
  font.lfUnderline = effects && underline->isChecked() ? 1 : 0;
  font.lfStrikeOut = effects && strikeOut->isChecked() ? 1 : 0;
  choose->iPointSize = size->value() * 10;
  if (effects) choose->rgbColors = ToColorRef(colour.rgb());
  return true;
}
