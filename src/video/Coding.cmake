# H.264 coding of the sent and received picture and the remote display path.
# No widgets: the window draws the pictures handed to it.
set(coding_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(vp_video_coding STATIC
  ${coding_dir}/ConvertYuv420ToRgb24.cpp
  ${coding_dir}/I420Scaler.cpp
  ${coding_dir}/RemoteDisplay.cpp
  ${coding_dir}/VideoDecoder.cpp
  ${coding_dir}/VideoEncoder.cpp
  ${coding_dir}/YuvToRgbTables.cpp)
target_link_libraries(vp_video_coding
  PUBLIC vp_state Qt6::Gui
  PRIVATE PkgConfig::X264 PkgConfig::LIBAV)
