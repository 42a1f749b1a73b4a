vp_add_benchmark(NAME video_capture_benchmark
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/CaptureBenchmark.cpp
  LIBS vp_video_capture PkgConfig::LIBAV Qt6::Gui)
# libyuv ships no pkg-config file; compare against it when it is installed.
find_library(VP_LIBYUV_LIBRARY yuv)
if(VP_LIBYUV_LIBRARY)
  target_link_libraries(video_capture_benchmark PRIVATE ${VP_LIBYUV_LIBRARY})
  target_compile_definitions(video_capture_benchmark PRIVATE VP_HAVE_LIBYUV)
endif()
