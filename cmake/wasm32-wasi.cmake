# Building the web program for WebAssembly with Debian's clang and its wasm32 C++ library (no
# exceptions there); the tests run under Node's WASI.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang-22)
set(CMAKE_CXX_COMPILER clang++-22)
# Debian lays the WASI libraries out under the name wasm32-wasi, which clang 22 calls old.
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_AR llvm-ar-22)
set(CMAKE_RANLIB llvm-ranlib-22)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -Wno-deprecated")
set(CMAKE_C_FLAGS_INIT "-Wno-deprecated")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wno-deprecated -Wl,--gc-sections")
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-warnings ${CMAKE_CURRENT_LIST_DIR}/../tests/wasi_run.mjs)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
