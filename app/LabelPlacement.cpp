#include "app/LabelPlacement.h"

#include <algorithm>

namespace vorandel {

namespace {

constexpr double kGap = 3;
constexpr double kDescent = 3;  // below the baseline

Box markBox(const Mark& mark) {
  return {mark.x - mark.radius, mark.y - mark.radius, mark.x + mark.radius, mark.y + mark.radius};
}

// The name's box with its left edge and top at the given point.
LabelPlace placeAt(const Mark& mark, double left, double top) {
  return {{left, top, left + mark.labelWidth, top + mark.labelHeight}, left, top + mark.labelHeight - kDescent};
}

// The places around a mark, the preferred one first: right, left, above, below, then the corners.
std::vector<LabelPlace> candidates(const Mark& mark) {
  const double w = mark.labelWidth, h = mark.labelHeight, r = mark.radius;
  const double middle = mark.y - h / 2;
  return {
      placeAt(mark, mark.x + r + kGap, middle),
      placeAt(mark, mark.x - r - kGap - w, middle),
      placeAt(mark, mark.x - w / 2, mark.y - r - kGap - h),
      placeAt(mark, mark.x - w / 2, mark.y + r + kGap),
      placeAt(mark, mark.x + r * 0.7, mark.y - r - h),
      placeAt(mark, mark.x + r * 0.7, mark.y + r),
      placeAt(mark, mark.x - r * 0.7 - w, mark.y - r - h),
      placeAt(mark, mark.x - r * 0.7 - w, mark.y + r),
  };
}

}  // namespace

double overlap(const Box& a, const Box& b) {
  const double width = std::min(a.right, b.right) - std::max(a.left, b.left);
  const double height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

std::vector<LabelPlace> placeLabels(const std::vector<Mark>& marks) {
  std::vector<LabelPlace> placed;
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const std::vector<LabelPlace> options = candidates(marks[i]);
    std::size_t best = 0;
    double bestCost = -1;
    for (std::size_t k = 0; k < options.size(); ++k) {
      // Covering a mark weighs more than covering a name; a later option must be better, not as good.
      double cost = 0;
      for (std::size_t j = 0; j < marks.size(); ++j)
        if (j != i) cost += 3 * overlap(options[k].box, markBox(marks[j]));
      for (const LabelPlace& other : placed) cost += overlap(options[k].box, other.box);
      cost += static_cast<double>(k) * 0.5;
      if (bestCost < 0 || cost < bestCost) {
        best = k;
        bestCost = cost;
      }
    }
    placed.push_back(options[best]);
  }
  return placed;
}

}  // namespace vorandel
