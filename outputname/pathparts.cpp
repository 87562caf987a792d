#include "outputname/pathparts.h"

bool IsPathSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == u'/' || c == u'\\';
#else
    return c == u'/';
#endif
}

qsizetype FirstDotOfFileName(QStringView path)
{
    qsizetype nameStart = path.size();
    while (nameStart > 0 && !IsPathSeparator(path[nameStart - 1]))
        --nameStart;
    const qsizetype dot = path.indexOf(u'.', nameStart);
    return dot < 0 ? path.size() : dot;
}

std::optional<FolderAndName> SplitFolderAndName(const QString& path)
{
    if (path.size() > LongestPath)
        return std::nullopt;
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype index = 0; index < path.size(); ++index) {
        if (!IsPathSeparator(path[index]))
            continue;
        if (first < 0)
            first = index;
        last = index;
    }
    if (first == last)
        return FolderAndName{};
    return FolderAndName{path.first(last + 1), path.sliced(last + 1)};
}

std::optional<FrontAndRest> SplitAtFirstDot(const QString& path)
{
    if (path.size() > LongestPath)
        return std::nullopt;
    const qsizetype dot = FirstDotOfFileName(path);
    return FrontAndRest{path.first(dot), path.sliced(dot)};
}
