#pragma once
// The part of a window below its menu bar: parent of the controls, painted
// with the window's backdrop picture, then by the window's Paint event.
#include <QWidget>
#include <functional>
#include <memory>

namespace vantrel {

class Picture;

class ClientArea final : public QWidget {
 public:
  ClientArea(std::shared_ptr<const Picture> backdrop, QWidget* parent);

  // Runs after the backdrop on every paint; empty once the window has gone.
  std::function<void()> Painted;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::shared_ptr<const Picture> backdrop_;
};

}  // namespace vantrel
