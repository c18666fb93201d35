#include "core/module/modSlider.h"

#include "platform/headless/MessageBox.h"
#include "platform/headless/RuntimeError.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/Program.h"

#include <QFile>
#include <QFileInfo>
#include <vector>

namespace modSlider {

using platform::RuntimeError;
namespace err = platform::err;

QString AppDir;

QString appDirFrom(const QString& reportedDirectory) {
    return reportedDirectory.endsWith(QLatin1Char('/')) ? reportedDirectory : reportedDirectory + QLatin1Char('/');
}

QString databasePathFrom(const QString& reportedDirectory) {
    return reportedDirectory + QStringLiteral("/db2.mdb");
}

namespace {
// The directory lookup with normal attributes: directories and hidden files count as missing.
bool regionFileExists(const QString& fileName) {
    if (fileName.isEmpty() || fileName.contains(QChar(u'\0'))) {
        throw RuntimeError(err::BadFileNameOrNumber, "Bad file name or number");
    }
    const QFileInfo info(fileName);
    return info.isFile() && !info.isHidden();
}

std::vector<std::uint8_t> readWholeFile(QFile& file) {
    const qint64 size = file.size();
    if (size <= 0) {
        throw RuntimeError(err::SubscriptOutOfRange, "Subscript out of range");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (file.read(reinterpret_cast<char*>(bytes.data()), size) != size) {
        throw RuntimeError(err::DeviceIO, "Device I/O error");
    }
    return bytes;
}
} // namespace

platform::RegionHandle LoadRegionFile(const QString& fileName) {
    try {
        if (!regionFileExists(fileName)) {
            platform::MsgBox(fileName + QStringLiteral(" not found!"), platform::vbOKOnly);
            return std::nullopt;
        }
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly)) {
            throw RuntimeError(err::PathFileAccess, "Path/File access error");
        }
        // Data too large to be a region fails like a region that cannot be allocated: no region, no message.
        if (static_cast<quint64>(file.size()) > platform::MaxRegionBytes) {
            return std::nullopt;
        }
        const std::vector<std::uint8_t> bytes = readWholeFile(file); // QFile closes itself when it goes
        return platform::extCreateRegion(bytes);
    } catch (const RuntimeError& error) {
        throw error.withSource(platform::program::executableName().toStdString());
    }
}

void UnloadAllForms() {
    // Unloading takes a window out of the collection, so walk a copy.
    const std::vector<platform::Form*> loaded(platform::program::forms().begin(), platform::program::forms().end());
    for (platform::Form* form : loaded) {
        form->unload();
    }
    platform::program::end(0);
}

} // namespace modSlider
