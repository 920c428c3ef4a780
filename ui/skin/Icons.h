#pragma once

#include <QPixmap>
#include <QSize>

namespace yuzhou {

/// The pictures of the header bands. All but the logo are drawn light, for the dark bands.
enum class IconKind {
    Settings, ///< a gear: the filter settings
    Tutorial, ///< an open book
    Update,   ///< two arrows chasing round a circle
    Minimise, ///< a short horizontal bar
    Close,    ///< an ×
    Logo,     ///< the program's mark: a boat on water under an elm-leaf sail
};

/// Draws `kind` into a transparent pixmap of `logicalSize` device-independent pixels for a
/// screen of `devicePixelRatio`: the pixmap holds logicalSize × ratio real pixels and carries
/// the ratio, so it stays sharp on high-density screens. The picture is square, as large as
/// the shorter side allows, and centred.
QPixmap drawIcon(IconKind kind, QSize logicalSize, qreal devicePixelRatio);

} // namespace yuzhou
