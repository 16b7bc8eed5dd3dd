#pragma once

#include <cstddef>

namespace kvlisp {

struct BuiltinDef;

// The built-in functions that read the document's drawing (tblnext, tblsearch, entnext,
// entget): the first of them and how many there are.
//
//   (tblnext "BLOCK" [rewind])   the next block of the block table (layout spaces left out):
//                                ((0 . "BLOCK") (2 . name) (70 . flags) (10 x y z) (-2 . first entity))
//   (tblsearch "BLOCK" name)     the same for a block of that name (case ignored), or nil
//   (entnext [ename])            the first model-space entity, or the entity after ename in its
//                                own block; nil at the end
//   (entget ename)               ((-1 . ename) (0 . type) (5 . handle) (8 . layer) [(62 . colour)] ...)
//                                with the block name, position, scales and rotation of an INSERT,
//                                the points of a LINE, the centre, radius and angles of an ARC or
//                                CIRCLE, the vertices of a polyline, the text of a TEXT or MTEXT
//                                (angles in radians)
// Other tables give nil; a stale entity name gives nil; anything but an entity name is a
// "bad argument type: lentityp" error.
const BuiltinDef* drawingBuiltins(std::size_t* count);

} // namespace kvlisp
