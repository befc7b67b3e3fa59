#include "toolkit/status_window.h"

#include <QApplication>
#include <QWidget>

#include "toolkit/uiw_window.h"

namespace savora::toolkit {
namespace {

constexpr int kTextNumid = 3;

// A plain pointer on purpose: a static owner would destroy the widget after the application
// object is gone. The program closes the status window at the end of each long operation.
UIW_WINDOW*& theWindow() {
  static UIW_WINDOW* window = nullptr;
  return window;
}

}  // namespace

void StatusWindow::show(std::string_view title, std::string_view text) {
  UIW_WINDOW*& window = theWindow();
  if (window && !window->widget()) close();  // its parent window took it along
  if (!window) {
    window = new UIW_WINDOW(kStatusWindowSpec.resource);
    window->resolve(kStatusWindowSpec);
    QWidget* w = window->widget();
    w->setParent(QApplication::activeWindow(), Qt::Tool | Qt::WindowStaysOnTopHint);
    w->show();
  }
  window->setTitle(title);
  window->Get(kTextNumid)->setText(text);
  window->widget()->repaint();
}

void StatusWindow::close() {
  delete theWindow();
  theWindow() = nullptr;
}

bool StatusWindow::isShown() {
  return theWindow() != nullptr;
}

UIW_WINDOW* StatusWindow::window() {
  return theWindow();
}

}  // namespace savora::toolkit
