# The MD5 code of the duplicate search: sources and their build settings.
target_sources(yuzhou_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Md5Context.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Md5Digest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Md5Kernel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Md5Padding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Md5Scalar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MultiMd5.cpp
)

# The SIMD kernels are compiled for their instruction set and called only after the CPU has
# been asked whether it has it; on other processors they compile to nothing.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i.86)$")
    target_sources(yuzhou_core PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/Md5Avx2.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Md5Avx512.cpp
    )
    set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/Md5Avx2.cpp PROPERTIES COMPILE_OPTIONS "-mavx2")
    set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/Md5Avx512.cpp PROPERTIES COMPILE_OPTIONS "-mavx512f")
endif()

find_package(OpenSSL REQUIRED)
target_link_libraries(yuzhou_core PUBLIC OpenSSL::Crypto)
