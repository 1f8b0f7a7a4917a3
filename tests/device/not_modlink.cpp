// A shared library that is not the device library: it loads, but exports
// neither GetLibraryVersion nor GetModuleInterface.
extern "C" int NotModlinkFunction()
{
    return 0;
}
