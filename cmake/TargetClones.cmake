# The measurement kernels are compiled once per x86-64 level and the loader
# picks the best one (target_clones, see src/dsp/simd.h). That needs a
# compiler that targets x86-64 and a system whose loader resolves indirect
# functions; anywhere else the kernels are compiled once, for the target as
# given. The result reaches the code as the define ZX_TARGET_CLONES.
include(CheckCXXSourceCompiles)
check_cxx_source_compiles([[
__attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default"))) int twice(int x) { return 2 * x; }
int main(int argc, char**) { return twice(argc) == 2 ? 0 : 1; }
]] ZENTRIX_HAVE_TARGET_CLONES)
