// Product constants: display name, version and build. Used for captions,
// file headers and the about box. Holds no state.
#pragma once
#include <QString>

namespace Product {
inline const QString DisplayName = QStringLiteral("Tavenor プリント");
inline const QString Version = QStringLiteral("0.6");
inline const QString Build = QStringLiteral("20131204001");
inline const QString SoftwareName = QStringLiteral("Tavenor Print");
inline const QString WebSite = QStringLiteral("http://www.tavenor.jp/");
} // namespace Product
