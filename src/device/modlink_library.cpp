#include "device/device_library.h"

#include "platform/app_paths.h"

#include <QFileInfo>
#include <QLibrary>

namespace {

// The file name the build gives the library on this platform.
QString libraryFileName()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("Modlink.dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("libModlink.dylib");
#else
    return QStringLiteral("libModlink.so");
#endif
}

QString notModlinkText(const QString& path)
{
    return QStringLiteral("Файл '%1' не является библиотекой Modlink!").arg(QFileInfo(path).absoluteFilePath());
}

class ModlinkLibrary final : public DeviceLibrary {
public:
    explicit ModlinkLibrary(const QString& directory)
        : directory_(directory)
    {
    }

    // Every attempt opens the file anew, so a library put in place after a
    // failed attempt is found without a restart. A file that loads but lacks
    // the two functions is unloaded again, so it does not stand in the way
    // of the library that replaces it.
    bool load() override
    {
        if (getVersion_ && getInterface_)
            return true;
        const QString file = platform::joinPath(directory_, libraryFileName());
        // The library stays loaded for the life of the process: interfaces it
        // handed out may still be in use when this object goes away.
        QLibrary library(platform::joinPath(directory_, QStringLiteral("Modlink")));
        if (!library.load()) {
            error_ = QFileInfo::exists(file) ? notModlinkText(file) : library.errorString();
            return false;
        }
        getVersion_ = reinterpret_cast<GetLibraryVersionFn>(library.resolve("GetLibraryVersion"));
        getInterface_ = reinterpret_cast<GetModuleInterfaceFn>(library.resolve("GetModuleInterface"));
        if (!getVersion_ || !getInterface_) {
            error_ = notModlinkText(file);
            getVersion_ = nullptr;
            getInterface_ = nullptr;
            library.unload();
            return false;
        }
        error_.clear();
        return true;
    }

    QString errorText() const override { return error_; }

    uint32_t GetLibraryVersion() override { return getVersion_ ? getVersion_() : 0; }

    ModuleApi* GetModuleInterface(const char* moduleName) override
    {
        return getInterface_ ? getInterface_(moduleName) : nullptr;
    }

private:
    const QString directory_;
    QString error_;
    GetLibraryVersionFn getVersion_ = nullptr;
    GetModuleInterfaceFn getInterface_ = nullptr;
};

} // namespace

std::unique_ptr<DeviceLibrary> openModlinkLibrary(const QString& directory)
{
    return std::make_unique<ModlinkLibrary>(directory);
}
