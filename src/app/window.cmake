# Main window, worker threads and message dialogs: target_sources(zx_app PRIVATE ...)
