// Product constants: display name, program version and build, the web site.
// Used for captions, the about box and the command-line version line. Holds
// no state. The program version comes from the build (the project's version
// in CMakeLists.txt); the file format keeps its own version in UnitFile, so
// a new program version does not change the files it writes.
#pragma once
#include <QString>

#if !defined(TAVENOR_VERSION) || !defined(TAVENOR_APP_ID)
#error "TAVENOR_VERSION and TAVENOR_APP_ID are set by the build (CMakeLists.txt)"
#endif

namespace Product {
inline const QString DisplayName = QStringLiteral("Tavenor プリント");
inline const QString Version = QStringLiteral(TAVENOR_VERSION);
inline const QString Build = QStringLiteral("20131204001");
inline const QString SoftwareName = QStringLiteral("Tavenor Print");
inline const QString WebSite = QStringLiteral("http://www.tavenor.jp/");
// The desktop's name for the program: its desktop entry, icon and metadata.
inline const QString AppId = QStringLiteral(TAVENOR_APP_ID);
} // namespace Product
