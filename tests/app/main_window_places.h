#pragma once
// Where the player points on the main window (client coordinates from its stored layout).

#include <QPoint>
#include <QRect>

namespace places {

inline const QPoint HintMe{154, 210};
inline const QPoint ScoreMe{154, 250};
inline const QPoint Next{154, 286};
inline const QPoint Answer[4] = {{24, 216}, {24, 238}, {24, 260}, {24, 282}};
inline const QPoint ClassicTelevision{4 + 2 + 50, 363 + 3 + 12};
inline const QPoint Oscars{4 + 103 + 50, 363 + 3 + 12};
inline const QPoint Rights{4 + 204 + 50, 363 + 3 + 12};
inline const QPoint Help{4 + 305 + 50, 363 + 3 + 12};
inline const QPoint About{4 + 406 + 50, 363 + 3 + 12};
inline const QPoint YourScore{260, 250};

inline const QRect TopRtf{9, 9, 599, 143};
inline const QRect RiffRtf{8, 160, 569, 22};
inline const QRect HintRtf{218, 196, 369, 27};
inline const QRect HintMeButton{98, 194, 113, 33};
inline const QRect ScoreMeButton{98, 234, 113, 33};
inline const QRect Navigator{98, 274, 113, 25};

}  // namespace places
