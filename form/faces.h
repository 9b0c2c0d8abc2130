#pragma once

#include <QFont>
#include <QStringList>

#include <cstdint>

namespace tavrin {

// The three typefaces of the window and its calculation note, each a family list: the Windows face, its
// Chinese name, then the Debian face of the same style, so the captions keep their style on either system.
enum class Face : std::uint8_t { Song, Hei, Kai };

// A family list from its first installed family on; the whole list when none is installed. Qt looks a
// family list up one name at a time, and for every name that is not installed it has fontconfig sort all
// installed fonts into a fallback list, once per face, size and script, before it tries the next name.
// Starting the list at the first installed family reaches the same face without those sorts, and keeps
// the Windows face first wherever it is installed.
QStringList fromFirstInstalled(const QStringList &families);
QStringList fromFirstInstalled(const QStringList &families, const QStringList &installed);
// A face's family list as the window names it, before it is cut to the first installed family.
QStringList familiesOf(Face face);
// A face from its first installed family, in a size.
QFont faceFont(Face face, double points, bool bold = false);
// The window's own font, which every control without a font of its own inherits, and the note's.
QFont windowFont();

} // namespace tavrin
