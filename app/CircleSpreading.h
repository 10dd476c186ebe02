#pragma once
// Spreading a crowd of equal circles: where marks stand so close that their circles would cover one
// another, the circles move apart, each as little as the crowd allows, so that the picture shows every
// mark whole. Marks with room around them stay where they are.
#include <vector>

#include "app/MapGeometry.h"

namespace vorandel {

// The centres, one per spot in the spots' order, on whole pixels and inside area (the room for the
// centres; a spot outside it is brought in): no two closer than twice the radius and the gap. A circle
// that no other comes that near stays on its spot. The same spots give the same centres.
std::vector<Point> spreadCircles(const std::vector<Point>& spots, double radius, double gap, const Box& area);

}  // namespace vorandel
