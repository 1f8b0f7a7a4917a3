# The compiler warnings of every target, set in one place: the interface
# target zx_warnings carries them, and link_libraries() makes every target
# created after this point link it, including the targets added later in any
# folder. ZENTRIX_WERROR turns the warnings into errors.
add_library(zx_warnings INTERFACE)
target_compile_options(zx_warnings INTERFACE -Wall -Wextra $<$<BOOL:${ZENTRIX_WERROR}>:-Werror>)
link_libraries(zx_warnings)
