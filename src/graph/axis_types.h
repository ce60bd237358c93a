// The small enumerations shared by the axis, its pure arithmetic and callers
// such as the graph tool.
#pragma once

namespace zc {

enum TAxisOrientation { aoHorizontal, aoVertical };
// asCustom is scaled and labelled like asNormal.
enum TAxisScale { asNormal, asPi, asPercent, asLog, asCustom };
enum TAxisTitleLoc { tlHead, tlFoot, tlSide, tlFixed };

}  // namespace zc
