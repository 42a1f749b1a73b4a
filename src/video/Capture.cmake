# Camera capture and frame processing (no widgets), and their dialogs.
set(vp_capture_dir ${CMAKE_CURRENT_SOURCE_DIR})
add_library(vp_video_capture STATIC
  ${vp_capture_dir}/CaptionConfig.cpp
  ${vp_capture_dir}/CameraSwitcher.cpp
  ${vp_capture_dir}/CaptionPainter.cpp
  ${vp_capture_dir}/CaptureGraph.cpp
  ${vp_capture_dir}/ConvertRgb32ToYuv420.cpp
  ${vp_capture_dir}/ConvertRgb32ToYuv420Simd.cpp
  ${vp_capture_dir}/DesktopComposition.cpp
  ${vp_capture_dir}/FramePipeline.cpp
  ${vp_capture_dir}/LibavCamera.cpp
  ${vp_capture_dir}/LibavVideoInput.cpp
  ${vp_capture_dir}/ListVideoDevices.cpp
  ${vp_capture_dir}/OpenCamera.cpp
  ${vp_capture_dir}/OverlayText.cpp
  ${vp_capture_dir}/PictureInPicture.cpp
  ${vp_capture_dir}/SteadyFramePacer.cpp
  ${vp_capture_dir}/SyntheticCamera.cpp
  ${vp_capture_dir}/SyntheticPicture.cpp
  ${vp_capture_dir}/V4l2Device.cpp
  ${vp_capture_dir}/X11ScreenSource.cpp
)
target_include_directories(vp_video_capture PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(vp_video_capture PUBLIC vp_state Qt6::Gui PRIVATE PkgConfig::LIBAV)

add_library(vp_video_capture_ui STATIC
  ${vp_capture_dir}/CameraSwitchDialog.cpp
  ${vp_capture_dir}/ImageSettingsDialog.cpp
)
target_link_libraries(vp_video_capture_ui PUBLIC vp_video_capture Qt6::Widgets)
