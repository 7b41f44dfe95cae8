// The cancel request of long work on the user-interface thread: a "中止" button beside the
// progress bar and the Esc key. While the work runs, every other user input stays blocked.
#pragma once

#include <QObject>

class QPushButton;
class QWidget;

namespace morvane {

class TWorkCancel : public QObject {
  Q_OBJECT

 public:
  // The button is placed on `window` (which owns this) beside `beside` (the progress bar).
  TWorkCancel(QWidget* window, QWidget* beside);
  ~TWorkCancel() override;

  // Starts watching (the button shows); the request starts out not made.
  void Start();
  // Delivers pending input to the button and Esc, and tells whether cancel was asked for.
  bool Poll();
  // Stops watching and hides the button.
  void Stop();

  QPushButton* cmdCancel = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* beside_;
  bool watching_ = false;
  bool requested_ = false;
};

}  // namespace morvane
