# Control tree, channel frame and small widgets: target_sources(zx_app PRIVATE ...)
