#pragma once
// A document without a window: a canvas of a size the test chooses, and
// counters in place of the preview restart and the title update.
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
  Integer CanvasWidth() const override { return width_; }
  Integer CanvasHeight() const override { return height_; }

  int Previews = 0;
  int ChangedCalls = 0;

 protected:
  void OnPreview() override { ++Previews; }
  void OnChanged(bool) override { ++ChangedCalls; }

 private:
  Integer width_;
  Integer height_;
};

}  // namespace vantrel::test
