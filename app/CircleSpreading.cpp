#include "app/CircleSpreading.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vorandel {

namespace {

constexpr int kRelaxRounds = 500;
// The spread leaves this much more than the distance asked for, so that rounding the centres to whole
// pixels (each moves by less than a pixel) keeps them apart.
constexpr double kRoundingRoom = 1.5;

Point clamped(Point p, const Box& area) {
  return {std::clamp(p.x, area.left, area.right), std::clamp(p.y, area.top, area.bottom)};
}

Point rounded(Point p) { return {std::round(p.x), std::round(p.y)}; }

// Pushes every pair that stands too close apart along the line joining them, each by half of what is
// missing, until no pair does (or the rounds are spent); a circle that nobody crowds is not moved.
std::vector<Point> relaxed(const std::vector<Point>& spots, double apart, const Box& area) {
  std::vector<Point> at;
  for (const Point p : spots) at.push_back(clamped(p, area));
  for (int round = 0; round < kRelaxRounds; ++round) {
    bool moved = false;
    for (std::size_t i = 0; i < at.size(); ++i) {
      for (std::size_t j = i + 1; j < at.size(); ++j) {
        const double d = distance(at[i], at[j]);
        if (d >= apart) continue;
        double ux, uy;
        if (d > 1e-6) {
          ux = (at[j].x - at[i].x) / d;
          uy = (at[j].y - at[i].y) / d;
        } else {
          // Two circles on one spot part in a direction of their own.
          const double angle = static_cast<double>(i * 7 + j * 3) * std::numbers::pi / 8;
          ux = std::cos(angle);
          uy = std::sin(angle);
        }
        const double half = (apart - d) / 2;
        at[i] = clamped({at[i].x - ux * half, at[i].y - uy * half}, area);
        at[j] = clamped({at[j].x + ux * half, at[j].y + uy * half}, area);
        moved = true;
      }
    }
    if (!moved) break;
  }
  return at;
}

bool clearOf(Point p, const std::vector<Point>& kept, double apart) {
  return std::all_of(kept.begin(), kept.end(), [&](Point k) { return distance(p, k) >= apart; });
}

// The whole-pixel point nearest to the spot, in rings of growing radius, that keeps its distance from
// every kept centre. The area is finite and the kept centres are few, so some ring has room.
Point nearestRoom(Point spot, const std::vector<Point>& kept, double apart, const Box& area) {
  const double farthest = std::hypot(area.right - area.left, area.bottom - area.top) + 1;
  for (double ring = 1; ring <= farthest; ring += 1) {
    const int steps = std::max(8, static_cast<int>(std::ceil(2 * std::numbers::pi * ring)));
    for (int k = 0; k < steps; ++k) {
      const double angle = 2 * std::numbers::pi * k / steps;
      const Point p = rounded({spot.x + ring * std::cos(angle), spot.y + ring * std::sin(angle)});
      if (p.x >= area.left && p.x <= area.right && p.y >= area.top && p.y <= area.bottom && clearOf(p, kept, apart))
        return p;
    }
  }
  return rounded(clamped(spot, area));
}

}  // namespace

std::vector<Point> spreadCircles(const std::vector<Point>& spots, double radius, double gap, const Box& area) {
  const double apart = 2 * radius + gap;
  const std::vector<Point> at = relaxed(spots, apart + kRoundingRoom, area);
  // The spread is checked on the rounded centres: one that still stands too close to those before it
  // takes the nearest free place around its spot instead.
  std::vector<Point> kept;
  for (std::size_t i = 0; i < at.size(); ++i) {
    const Point p = rounded(at[i]);
    const bool fits = p.x >= area.left && p.x <= area.right && p.y >= area.top && p.y <= area.bottom;
    kept.push_back(fits && clearOf(p, kept, apart) ? p : nearestRoom(spots[i], kept, apart, area));
  }
  return kept;
}

}  // namespace vorandel
