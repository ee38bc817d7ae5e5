#pragma once
// A drawing surface in integer pixels: origin top left, y downward. Lines are
// drawn with a rectangular pen of PenWidth x PenHeight whose top-left corner
// follows the line; a pen with a side of 0 or less draws no line. Everything
// is clipped to the surface, and any Integer coordinates are safe.
//
// The base class draws into a Picture. The window layer derives a canvas
// surface from it (repaint scheduling, calls from worker threads queued onto
// the event thread), which is why the operations are virtual.
#include <functional>
#include <memory>

#include "Color.h"
#include "Numbers.h"

namespace vantrel {

class Picture;

class Graphics {
 public:
  explicit Graphics(Picture* target) noexcept : target_(target) {}
  virtual ~Graphics() = default;
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  Color ForeColor{};
  Integer PenWidth = 1;
  Integer PenHeight = 1;

  virtual Integer Width() const;
  virtual Integer Height() const;

  virtual void DrawLine(Integer x1, Integer y1, Integer x2, Integer y2);
  // Outline of the rectangle, pen inside it. A negative width or height draws
  // the rectangle between the two corners.
  virtual void DrawRect(Integer x, Integer y, Integer width, Integer height);
  virtual void FillRect(Integer x, Integer y, Integer width, Integer height);
  // Fills with white, the colour of a new picture.
  virtual void ClearRect(Integer x, Integer y, Integer width, Integer height);
  // Ellipse inscribed in the rectangle: outline with the pen, or filled.
  virtual void DrawOval(Integer x, Integer y, Integer width, Integer height);
  virtual void FillOval(Integer x, Integer y, Integer width, Integer height);
  // The whole picture at its own size with its top left at (x, y).
  virtual void DrawPicture(const std::shared_ptr<const Picture>& picture, Integer x, Integer y);
  // Source rectangle scaled to the destination rectangle, nearest pixel.
  // A zero or negative size on either side draws nothing.
  virtual void DrawPicture(const std::shared_ptr<const Picture>& picture, Integer destX,
                           Integer destY, Integer destWidth, Integer destHeight, Integer srcX,
                           Integer srcY, Integer srcWidth, Integer srcHeight);

  // Runs drawing against a surface of these same pixels that starts with this
  // pen, as one drawing call: a canvas queues it once and shows the result
  // once, however many shapes it draws. The pen this surface is left with
  // afterwards is unspecified.
  virtual void DrawAtOnce(std::function<void(Graphics&)> drawing);

  // The picture drawn into, for fast paths that write pixels directly; nullptr
  // for surfaces that are not a plain picture.
  Picture* Target() const noexcept { return target_; }

 protected:
  void Retarget(Picture* target) noexcept { target_ = target; }

 private:
  Picture* target_;
};

}  // namespace vantrel
