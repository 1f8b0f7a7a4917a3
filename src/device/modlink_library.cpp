#include "device/device_library.h"

#include "platform/app_paths.h"

#include <QLibrary>

namespace {

class ModlinkLibrary final : public DeviceLibrary {
public:
    explicit ModlinkLibrary(const QString& directory)
        : library_(platform::joinPath(directory, QStringLiteral("Modlink")))
    {
    }

    bool load() override
    {
        if (getVersion_ && getInterface_)
            return true;
        if (!library_.load()) {
            error_ = library_.errorString();
            return false;
        }
        getVersion_ = reinterpret_cast<GetLibraryVersionFn>(library_.resolve("GetLibraryVersion"));
        getInterface_ = reinterpret_cast<GetModuleInterfaceFn>(library_.resolve("GetModuleInterface"));
        if (!getVersion_ || !getInterface_) {
            error_ = library_.errorString();
            getVersion_ = nullptr;
            getInterface_ = nullptr;
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
    // The library stays loaded for the life of the process: interfaces it
    // handed out may still be in use when this object goes away.
    QLibrary library_;
    QString error_;
    GetLibraryVersionFn getVersion_ = nullptr;
    GetModuleInterfaceFn getInterface_ = nullptr;
};

}  // namespace

std::unique_ptr<DeviceLibrary> openModlinkLibrary(const QString& directory)
{
    return std::make_unique<ModlinkLibrary>(directory);
}
