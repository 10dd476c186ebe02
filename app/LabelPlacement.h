#pragma once
// Placing the names of a map's marks: each name goes to one of a few places around its mark, the one
// that covers the fewest other marks and names already placed.
#include <vector>

namespace vorandel {

struct Box {
  double left, top, right, bottom;
};

struct Mark {
  double x, y, radius;
  double labelWidth, labelHeight;  // the name's size
};

struct LabelPlace {
  Box box;   // where the name lies
  double x;  // where its text starts (the box's left) and its baseline
  double y;
};

// One place per mark, in the marks' order; earlier marks choose first.
std::vector<LabelPlace> placeLabels(const std::vector<Mark>& marks);

// The area two boxes share; 0 when they do not touch.
double overlap(const Box& a, const Box& b);

}  // namespace vorandel
