#include "app/LabelPlacement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace vorandel {

namespace {

constexpr int kCloseRings = 2;       // the rings that count for how much room a name has
constexpr int kRingsBeyond = 2;      // the rings looked at past the nearest one with room
constexpr double kDescent = 3;       // below the baseline
constexpr double kNearlyAsNear = 2;  // another mark's edge this much further off still competes

// The directions around a mark, in degrees clockwise from the right, the preferred first: right, left,
// above, below, the corners, then the directions between.
constexpr std::array<double, 16> kDirections{0,     180,  270,   90,    315,   45,    225,  135,
                                             337.5, 22.5, 202.5, 157.5, 292.5, 247.5, 67.5, 112.5};

Circle markCircle(const Mark& mark) { return {{mark.x, mark.y}, mark.radius}; }

// The name's box with its left edge and top at the given point.
LabelPlace placeAt(const Mark& mark, double left, double top) {
  return {{left, top, left + mark.labelWidth, top + mark.labelHeight}, left, top + mark.labelHeight - kDescent};
}

// The place in the given direction whose nearest side or corner touches the ring of that radius around
// the mark: straight right the name's left edge touches it, level with the mark; diagonally its corner.
LabelPlace placeToward(const Mark& mark, double degrees, double ring) {
  const double angle = degrees * std::numbers::pi / 180;
  const double c = std::cos(angle), s = std::sin(angle);
  const auto lean = [](double t) { return std::clamp(t * std::numbers::sqrt2, -1.0, 1.0); };
  const double centreX = mark.x + ring * c + mark.labelWidth / 2 * lean(c);
  const double centreY = mark.y + ring * s + mark.labelHeight / 2 * lean(s);
  return placeAt(mark, centreX - mark.labelWidth / 2, centreY - mark.labelHeight / 2);
}

struct Candidate {
  LabelPlace place;
  int ring;
  int rank;  // the direction's place in the preference
};

std::vector<Candidate> ringOf(const Mark& mark, int ring) {
  std::vector<Candidate> out;
  for (std::size_t k = 0; k < kDirections.size(); ++k)
    out.push_back({placeToward(mark, kDirections[k], mark.radius + kLabelGap + ring * kLabelRingStep), ring,
                   static_cast<int>(k)});
  return out;
}

class Placer {
 public:
  Placer(const std::vector<Mark>& marks, const LabelGround& ground) : marks_(marks), ground_(ground) {
    const Box& area = ground.area;
    const double across = std::min(std::hypot(area.right - area.left, area.bottom - area.top), 1e4);
    lastRing_ = std::max(kCloseRings, static_cast<int>(across / kLabelRingStep) + 1);
    for (const Mark& mark : marks) {
      options_.emplace_back();
      for (int ring = 0; ring < kCloseRings; ++ring)
        for (const Candidate& option : ringOf(mark, ring)) options_.back().push_back(option);
    }
  }

  std::vector<LabelPlace> run() {
    std::vector<std::optional<LabelPlace>> placed(marks_.size());
    for (std::size_t step = 0; step < marks_.size(); ++step) {
      const std::size_t i = tightest(placed);
      placed[i] = choose(i, placed);
    }
    std::vector<LabelPlace> out;
    for (const std::optional<LabelPlace>& place : placed) out.push_back(*place);
    return out;
  }

 private:
  bool free(const Box& box, const std::vector<std::optional<LabelPlace>>& placed) const {
    if (!inside(box, ground_.area)) return false;
    for (const Mark& mark : marks_) {
      Circle circle = markCircle(mark);
      circle.radius += kMarkClearance;
      if (covers(circle, box)) return false;
    }
    const Box roomy = grown(box, kNameClearance);
    for (const std::optional<LabelPlace>& other : placed)
      if (other && overlap(roomy, grown(other->box, kNameClearance)) > 0) return false;
    return true;
  }

  // The unplaced name with the fewest free places close to its mark; the first such in the marks' order.
  std::size_t tightest(const std::vector<std::optional<LabelPlace>>& placed) const {
    std::size_t best = 0;
    int fewest = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < marks_.size(); ++i) {
      if (placed[i]) continue;
      int room = 0;
      for (const Candidate& option : options_[i])
        if (option.ring < kCloseRings && free(option.place.box, placed)) ++room;
      if (room < fewest) {
        best = i;
        fewest = room;
      }
    }
    return best;
  }

  // Whether the name could be taken for another mark's: that mark's edge is as near the name as its
  // own, or nearly as near and nearer the name's middle. A name reads as one line, so across the line
  // counts for half as much as up or down.
  bool nearerAnother(std::size_t i, const Box& box) const {
    const Point middle{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    const auto fromMiddle = [&](const Mark& mark) { return std::hypot((mark.x - middle.x) / 2, mark.y - middle.y); };
    const double ownGap = distance(Point{marks_[i].x, marks_[i].y}, box) - marks_[i].radius;
    const double ownMiddle = fromMiddle(marks_[i]);
    for (std::size_t j = 0; j < marks_.size(); ++j) {
      if (j == i) continue;
      const double gap = distance(Point{marks_[j].x, marks_[j].y}, box) - marks_[j].radius;
      if (gap <= ownGap || (gap <= ownGap + kNearlyAsNear && fromMiddle(marks_[j]) <= ownMiddle)) return true;
    }
    return false;
  }

  // What a free place costs: the distance from the mark, the preference among directions, the lines it
  // runs over, and lying nearer another mark than its own (which would name the wrong city: worse than
  // two rings further out).
  double cost(std::size_t i, const Candidate& option) const {
    const Box& box = option.place.box;
    double cost = option.ring * 10.0 + option.rank * 0.5;
    for (const Segment& line : ground_.pointers) cost += crosses(line, box) ? 20 : 0;
    for (const Segment& line : ground_.roads) cost += crosses(line, box) ? 0.4 : 0;
    if (nearerAnother(i, box)) cost += 25;
    return cost;
  }

  // How much a place covers, for a name that finds no free place.
  double covering(const Box& box, const std::vector<std::optional<LabelPlace>>& placed) const {
    double covered = 0;
    for (const Mark& mark : marks_) {
      const Box square{mark.x - mark.radius, mark.y - mark.radius, mark.x + mark.radius, mark.y + mark.radius};
      covered += 3 * overlap(box, square);
    }
    for (const std::optional<LabelPlace>& other : placed)
      if (other) covered += overlap(box, other->box);
    return covered;
  }

  // The cheapest free place on the rings from the nearest with room to a few beyond it; the rings go
  // out until the area is crossed.
  LabelPlace choose(std::size_t i, const std::vector<std::optional<LabelPlace>>& placed) const {
    std::optional<Candidate> best;
    double bestCost = 0;
    std::optional<int> firstWithRoom;
    for (int ring = 0; ring <= lastRing_ && (!firstWithRoom || ring <= *firstWithRoom + kRingsBeyond); ++ring) {
      for (const Candidate& option : ringOf(marks_[i], ring)) {
        if (!free(option.place.box, placed)) continue;
        if (!firstWithRoom) firstWithRoom = ring;
        const double c = cost(i, option);
        if (!best || c < bestCost) {
          best = option;
          bestCost = c;
        }
      }
    }
    if (best) return best->place;
    for (const Candidate& option : options_[i]) {
      const double c = covering(option.place.box, placed) + option.ring;
      if (!best || c < bestCost) {
        best = option;
        bestCost = c;
      }
    }
    return best->place;
  }

  const std::vector<Mark>& marks_;
  const LabelGround& ground_;
  std::vector<std::vector<Candidate>> options_;  // the close rings' places of each mark
  int lastRing_;
};

}  // namespace

std::vector<LabelPlace> placeLabels(const std::vector<Mark>& marks, const LabelGround& ground) {
  return Placer(marks, ground).run();
}

}  // namespace vorandel
