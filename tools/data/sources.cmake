# The data tool's parsing, cleaning and assembly, free of the analyser so that
# the default build can test it. Included from tools/data and from the tests.
include_guard(GLOBAL)
file(GLOB lomperi_data_sources_files CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/lib/*.cpp")
add_library(lomperi_data_sources STATIC ${lomperi_data_sources_files})
target_include_directories(lomperi_data_sources PUBLIC "${CMAKE_CURRENT_LIST_DIR}/lib")
target_link_libraries(lomperi_data_sources PUBLIC lomperi_morphology fmt::fmt)
