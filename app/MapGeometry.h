#pragma once
// The plane of a map's picture: points, boxes, segments and circles in pixels (y grows downwards), and
// the tests of whether two of them touch.
namespace vorandel {

struct Point {
  double x, y;
};

struct Box {
  double left, top, right, bottom;
};

struct Segment {
  Point from, to;
};

struct Circle {
  Point centre;
  double radius;
};

// The area two boxes share; 0 when they do not touch.
double overlap(const Box& a, const Box& b);

// The box grown by margin on every side.
Box grown(const Box& box, double margin);

// Whether the first box lies wholly inside the second.
bool inside(const Box& box, const Box& area);

double distance(Point a, Point b);

// How far the point is from the box; 0 inside it.
double distance(Point p, const Box& box);

// Whether the circle and the box share more than their edges.
bool covers(const Circle& circle, const Box& box);

// Whether some part of the segment runs through the inside of the box.
bool crosses(const Segment& segment, const Box& box);

}  // namespace vorandel
