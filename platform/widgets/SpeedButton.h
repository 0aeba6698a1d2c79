#pragma once
// TSpeedButton: a flat tool button that can stay down. Buttons with the same
// non-zero GroupIndex under the same parent widget form a group in which
// pressing one releases the others; without AllowAllUp one always stays down.
#include <QToolButton>

#include <functional>

class TSpeedButton : public QToolButton {
  Q_OBJECT
 public:
  explicit TSpeedButton(QWidget* parent = nullptr);

  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int v) { FGroupIndex = v; }
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool v) { FAllowAllUp = v; }
  bool Down() const { return isChecked(); }
  // Presses or releases the button without running OnClick.
  void SetDown(bool down);

  std::function<void()> OnClick;

 protected:
  void nextCheckState() override;

 private:
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
};
