#include "cli/batchinputs.h"

#include "imagesize/formats.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// Files and folders whose name starts with a dot are hidden on this platform.
bool IsHidden(const fs::path& name)
{
    return name.native().starts_with('.');
}

QString CannotList(const QString& folder, const std::error_code& error)
{
    return QCoreApplication::translate("BatchInputs", "フォルダーの中を読み取れません: %1 (%2)")
        .arg(QDir::toNativeSeparators(folder), QString::fromLocal8Bit(error.message()));
}

std::uintmax_t SizeOf(const fs::path& path)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    return error ? 0 : size;
}

void AddFolder(const QString& folder, bool recursive, std::vector<BatchInput>& inputs)
{
    std::error_code error;
    fs::directory_iterator entry(QFile::encodeName(folder).toStdString(), error);
    std::vector<fs::directory_entry> entries;
    for (; !error && entry != fs::directory_iterator(); entry.increment(error))
        entries.push_back(*entry);
    if (error) {
        inputs.push_back({folder, 0, CannotList(folder, error)});
        return;
    }
    std::sort(entries.begin(), entries.end(), [](const fs::directory_entry& a, const fs::directory_entry& b) {
        return a.path().filename().native() < b.path().filename().native();
    });
    for (const fs::directory_entry& child : entries) {
        const fs::path name = child.path().filename();
        if (IsHidden(name))
            continue;
        const QString childPath =
            QDir(folder).filePath(QFile::decodeName(QByteArray::fromStdString(name.native())));
        std::error_code typeError;
        if (child.is_directory(typeError)) {
            if (recursive && !child.is_symlink(typeError))
                AddFolder(childPath, recursive, inputs);
        } else if (child.is_regular_file(typeError) && imagesize::kindByName(name.native())) {
            inputs.push_back({childPath, SizeOf(child.path()), {}});
        }
    }
}

} // namespace

std::vector<BatchInput> ListBatchInputs(const QStringList& arguments, bool recursive)
{
    std::vector<BatchInput> inputs;
    for (const QString& argument : arguments) {
        const fs::path path = QFile::encodeName(argument).toStdString();
        std::error_code error;
        if (fs::is_directory(path, error))
            AddFolder(argument, recursive, inputs);
        else
            inputs.push_back({argument, SizeOf(path), {}});
    }
    return inputs;
}
