#pragma once
// Placing the names of a map's marks: each name goes to a place around its mark, as near as there is
// room, that covers no mark and no name placed before it and stays inside the picture's area; among
// such places it takes the one that runs over the fewest lines and lies nearest its own mark rather
// than another. The names with the least room choose first.
#include <vector>

#include "app/MapGeometry.h"

namespace vorandel {

struct Mark {
  double x, y, radius;
  double labelWidth, labelHeight;  // the name's size
};

struct LabelPlace {
  Box box;   // where the name lies
  double x;  // where its text starts (the box's left) and its baseline
  double y;
};

// What else lies where the names go.
struct LabelGround {
  Box area{-1e9, -1e9, 1e9, 1e9};  // the names stay inside it
  std::vector<Segment> pointers;   // lines a name must rather not hide (that lead a moved mark to its spot)
  std::vector<Segment> roads;      // lines a name had better not run over
};

// The room between a mark's edge and its name on the nearest ring of places, and from one ring to the
// next.
inline constexpr double kLabelGap = 3;
inline constexpr double kLabelRingStep = 5;

// The room kept between a name and a mark's edge, and between two names.
inline constexpr double kMarkClearance = 1.5;
inline constexpr double kNameClearance = 1;

// One place per mark, in the marks' order. When a mark finds no such place (the area is full), its name
// goes where it covers the least.
std::vector<LabelPlace> placeLabels(const std::vector<Mark>& marks, const LabelGround& ground = {});

}  // namespace vorandel
