#pragma once
// The celebration's lines drawn into an image, such as the board picture's own.
#include <QImage>
#include <functional>

#include "celebration.h"

namespace quabe {

class ImageLineSink : public LineSink {
  public:
    // refresh shows the image on screen; it may be empty.
    ImageLineSink(QImage* image, std::function<void()> refresh)
        : image_(image), refresh_(std::move(refresh)) {}

    void Line(double x1, double y1, double x2, double y2, int red, int green, int blue) override;
    void Refresh() override {
        if (refresh_) refresh_();
    }

  private:
    QImage* image_;
    std::function<void()> refresh_;
};

}  // namespace quabe
