# Camera capture and frame processing (no widgets), and their dialogs.
add_library(vp_video_capture STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/ConvertRgb32ToYuv420.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ConvertRgb32ToYuv420Simd.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SyntheticPicture.cpp
)
target_include_directories(vp_video_capture PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(vp_video_capture PUBLIC vp_state)
