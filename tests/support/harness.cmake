# The part of the test support that needs no test framework, shared by the
# test programs and the benchmarks that drive the window: waiting while events
# are processed, the message recorder, the simulated library's control
# interface, the offscreen platform, and the driving of the multimeter job.
include_guard(GLOBAL)
set(ZX_SUPPORT_DIR ${PROJECT_SOURCE_DIR}/tests/support)

add_library(zx_test_harness STATIC
  ${ZX_SUPPORT_DIR}/event_wait.cpp ${ZX_SUPPORT_DIR}/event_wait.h
  ${ZX_SUPPORT_DIR}/message_recorder.cpp ${ZX_SUPPORT_DIR}/message_recorder.h
  ${ZX_SUPPORT_DIR}/offscreen_platform.cpp ${ZX_SUPPORT_DIR}/offscreen_platform.h
  ${ZX_SUPPORT_DIR}/sim_access.cpp ${ZX_SUPPORT_DIR}/sim_access.h)
target_include_directories(zx_test_harness PUBLIC ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/modlink)
target_link_libraries(zx_test_harness PUBLIC zx_device zx_platform Qt6::Core)

add_library(zx_acquisition_window STATIC
  ${ZX_SUPPORT_DIR}/acquisition_window.cpp ${ZX_SUPPORT_DIR}/acquisition_window.h)
target_link_libraries(zx_acquisition_window PUBLIC zx_test_harness zx_app)
