#pragma once

// The paper and margins a document gives, held in twips until reading ends and they go into
// its PageSetup. Its headers, footers and page fields are read by the Reader members in
// PageLayout.cpp.

#include <array>
#include <optional>

namespace velmaro {
class PageSetup;
}

namespace velmaro::rtf {

struct PageGeometry {
    std::optional<int> paperWidth, paperHeight;
    std::array<std::optional<int>, 4> margins; // by Side

    // The paper when the document gives both sides; the margins when it gives any, the
    // others taking their defaults.
    void StoreInto(PageSetup &setup) const;
};

} // namespace velmaro::rtf
