#pragma once
// The document register's rules about linked files, free of windows: how a
// chosen file's full path becomes the folder and the name the register
// stores, and which links may be handed to the desktop to open.

#include <QString>
#include <optional>

namespace zorbel::admin {

// A link's folder (without its last separator) and its file name.
struct LinkParts {
    QString location;
    QString name;
};
// Splits a full path at its last "/", or at its last "\" when it holds no "/"
// (a link stored from a Windows share). Nothing for a path that names no
// folder or no file: such a link could not be opened again.
std::optional<LinkParts> splitLink(const QString& path);

// Why a link may not be opened; empty when it may. Only an existing,
// readable regular file named by its full path is opened, and never one the
// desktop would run rather than show: anything with an execute bit, and by
// its type (read from its name and from its content alike) desktop entries,
// Java archives, Windows programs and installers, package installers, ELF
// binaries and scripts.
QString openRefusal(const QString& path);

} // namespace zorbel::admin
