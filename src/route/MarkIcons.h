#pragma once
// The icon marks a route point can carry, each a 16 × 16 mask and a 16 × 16 icon. Copying the
// mask onto the map with the AND raster operation blackens the icon's shape and keeps every
// other pixel; copying the icon over it with XOR then colours the shape and leaves the rest as
// it was, so the icon shows with a transparent background over any map.
//
//   kind 1  tent site      a green tent with a lit yellow doorway, standing on a black ground line
//   kind 2  mountain hut   a brown hut with a red roof, a light blue window and a dark door
//   kind 3  view point     an open eye: white with a blue iris and a black pupil
//   kind 4  water          a blue drop with a light blue gleam on its left side
//   kind 5  point of note  a red flag on a black pole
//   kind 6  caution        a yellow warning triangle with a black "!"
//
// Every shape has a black outline, so it stays readable on light and dark terrain alike.
#include <QImage>

namespace orv {

inline constexpr int kMarkKinds = 6;
inline constexpr int kMarkSize = 16;

// True for the kinds that have a mark (1..6); 0 means "no mark", anything else is not drawn.
constexpr bool isMarkKind(int kind) { return kind >= 1 && kind <= kMarkKinds; }

// The mask of a kind: white where the map shows through, black under the icon's shape.
// For a kind without a mark the mask is all white (it changes nothing).
const QImage& markMask(int kind);

// The icon of a kind: black where the map shows through, the icon's colours in its shape.
// For a kind without a mark the icon is all black (it changes nothing).
const QImage& markIcon(int kind);

}  // namespace orv
