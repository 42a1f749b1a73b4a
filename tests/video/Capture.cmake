vp_add_test(NAME video_capture_conversion_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ConvertRgb32ToYuv420Test.cpp
  LIBS vp_video_capture
  LABELS video)
