#include "report/PageSetup.h"

#include <QTextDocument>

namespace velmaro {

PageSetup *PageSetup::Of(const QTextDocument &document)
{
    return document.findChild<PageSetup *>(QString(), Qt::FindDirectChildrenOnly);
}

PageSetup &PageSetup::Attach(QTextDocument &document)
{
    delete Of(document);
    return *new PageSetup(&document);
}

QTextDocument &PageSetup::HeaderFooter(HeaderFooterKind kind)
{
    QTextDocument *&part = parts_[static_cast<std::size_t>(kind)];
    if (!part)
        part = new QTextDocument(this);
    return *part;
}

const QTextDocument *PageSetup::Pick(int page, HeaderFooterKind all, HeaderFooterKind left,
                                     HeaderFooterKind right, HeaderFooterKind first) const
{
    const auto part = [this](HeaderFooterKind kind) { return parts_[static_cast<std::size_t>(kind)]; };
    if (titlePage && page == 1)
        return part(first);
    if (facingPages && page % 2 == 0 && part(left))
        return part(left);
    if (facingPages && part(right))
        return part(right);
    return part(all) ? part(all) : part(right);
}

const QTextDocument *PageSetup::HeaderFor(int page) const
{
    return Pick(page, HeaderFooterKind::Header, HeaderFooterKind::HeaderLeft,
                HeaderFooterKind::HeaderRight, HeaderFooterKind::HeaderFirst);
}

const QTextDocument *PageSetup::FooterFor(int page) const
{
    return Pick(page, HeaderFooterKind::Footer, HeaderFooterKind::FooterLeft,
                HeaderFooterKind::FooterRight, HeaderFooterKind::FooterFirst);
}

} // namespace velmaro
