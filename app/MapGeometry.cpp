#include "app/MapGeometry.h"

#include <algorithm>
#include <cmath>

namespace vorandel {

double overlap(const Box& a, const Box& b) {
  const double width = std::min(a.right, b.right) - std::max(a.left, b.left);
  const double height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

Box grown(const Box& box, double margin) {
  return {box.left - margin, box.top - margin, box.right + margin, box.bottom + margin};
}

bool inside(const Box& box, const Box& area) {
  return box.left >= area.left && box.top >= area.top && box.right <= area.right && box.bottom <= area.bottom;
}

double distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

double distance(Point p, const Box& box) {
  const double dx = std::max({box.left - p.x, 0.0, p.x - box.right});
  const double dy = std::max({box.top - p.y, 0.0, p.y - box.bottom});
  return std::hypot(dx, dy);
}

bool covers(const Circle& circle, const Box& box) { return distance(circle.centre, box) < circle.radius; }

// The segment clipped to the box's slab on each axis in turn (Liang and Barsky): what is left of the
// parameter range lies inside.
bool crosses(const Segment& segment, const Box& box) {
  const double dx = segment.to.x - segment.from.x, dy = segment.to.y - segment.from.y;
  double enter = 0, leave = 1;
  const auto clip = [&](double towards, double room) {
    if (towards == 0) return room > 0;
    const double t = room / towards;
    if (towards < 0)
      enter = std::max(enter, t);
    else
      leave = std::min(leave, t);
    return enter < leave;
  };
  return clip(-dx, segment.from.x - box.left) && clip(dx, box.right - segment.from.x) &&
         clip(-dy, segment.from.y - box.top) && clip(dy, box.bottom - segment.from.y);
}

}  // namespace vorandel
