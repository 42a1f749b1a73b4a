# Coders and the YUV -> RGB conversion, beside libyuv and libswscale.
find_library(VP_LIBYUV yuv)
if(VP_LIBYUV)
  vp_add_benchmark(NAME video_coding_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/CodingBenchmark.cpp
    LIBS vp_video_coding vp_video_capture ${VP_LIBYUV} PkgConfig::LIBAV)
  target_include_directories(video_coding_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
