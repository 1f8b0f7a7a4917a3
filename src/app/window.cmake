# Main window and message dialogs. One line per concern, so
# each concern adds its files on its own line.
set_target_properties(zx_app PROPERTIES AUTORCC ON)
# The search shows the version in the window title.
target_compile_definitions(zx_app PRIVATE ZENTRIX_VERSION="${PROJECT_VERSION}")
target_sources(zx_app PRIVATE resources/zentrix.qrc)
target_sources(zx_app PRIVATE startup.cpp startup.h message_dialogs.cpp message_dialogs.h)
target_sources(zx_app PRIVATE mainform.h mainform.cpp mainform_layout.cpp handler_scope.h)
target_sources(zx_app PRIVATE window_placement.cpp window_placement.h)
target_sources(zx_app PRIVATE mainform_commands.cpp mainform_threads.cpp mainform_panels.cpp)
target_sources(zx_app PRIVATE mainform_application_events.cpp application_filter.cpp application_filter.h hint_rules.cpp hint_rules.h)
# Module search: the window's steps (the search thread is in ../threads)
target_sources(zx_app PRIVATE mainform_search.cpp mainform_search_steps.cpp mainform_search_status.cpp)
# ADC parameters and acquisition display: the window's steps of the job
target_sources(zx_app PRIVATE mainform_acquisition.cpp mainform_acquisition_display.cpp)
# Channel and group controls
target_sources(zx_app PRIVATE mainform_channels.cpp)
# Numeric entry
target_sources(zx_app PRIVATE mainform_rate_entry.cpp entry_key_router.cpp entry_key_router.h)
target_sources(zx_app PRIVATE widgets/pending_entry.cpp widgets/pending_entry.h)
# DAC outputs
target_sources(zx_app PRIVATE mainform_dac.cpp)
# Settings file
target_sources(zx_app PRIVATE mainform_settings.cpp mainform_settings_save.cpp)
target_sources(zx_app PRIVATE mainform_settings_defaults.cpp)
# Coefficient storage
target_sources(zx_app PRIVATE mainform_coeffs.cpp)
# Coefficient tables
target_sources(zx_app PRIVATE mainform_coeff_tables.cpp mainform_coeff_table_keys.cpp)
target_sources(zx_app PRIVATE coeff_table_cells.cpp coeff_table_cells.h coeff_table_delegate.cpp coeff_table_delegate.h)
