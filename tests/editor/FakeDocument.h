#pragma once
// A document without a window: a canvas of a size the test chooses, and
// counters in place of the preview restart and the title update.
#include <utility>

#include "editor/DocumentModel.h"
#include "editor/DocumentSnapshot.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"

namespace vantrel::test {

class FakeDocument : public DocumentModel {
 public:
  // A new document: the unit square on the canvas, default settings.
  explicit FakeDocument(Integer width = 315, Integer height = 315)
      : width_(width), height_(height) {
    X2 = 1.0;
    Y2 = 1.0;
    OldCanSizeX = width;
    OldCanSizeY = height;
    SettingsCatalogue::ApplyDefaults(*CurrentSettings);
  }

  void SetCanvas(Integer width, Integer height) {
    width_ = width;
    height_ = height;
  }
  // The size the canvas takes when the next preview fits it.
  void FitTo(Integer width, Integer height) { fitted_ = {width, height}; }
  Integer CanvasWidth() const override { return width_; }
  Integer CanvasHeight() const override { return height_; }

  int Previews = 0;
  int ChangedCalls = 0;

 protected:
  void OnFitCanvas() override {
    if (fitted_.first > 0) SetCanvas(fitted_.first, fitted_.second);
  }
  void OnPreview() override { ++Previews; }
  void OnChanged(bool) override { ++ChangedCalls; }

 private:
  Integer width_;
  Integer height_;
  std::pair<Integer, Integer> fitted_{0, 0};
};

}  // namespace vantrel::test
