set(vp_capture_tests ${CMAKE_CURRENT_SOURCE_DIR})
vp_add_test(NAME video_capture_conversion_test
  SOURCES ${vp_capture_tests}/ConvertRgb32ToYuv420Test.cpp
  LIBS vp_video_capture
  LABELS video)
vp_add_test(NAME video_capture_processing_test
  SOURCES ${vp_capture_tests}/CaptionTest.cpp
          ${vp_capture_tests}/DesktopAndInsetTest.cpp
          ${vp_capture_tests}/FramePipelineTest.cpp
  LIBS vp_video_capture
  LABELS video)
vp_add_test(NAME video_capture_devices_test
  SOURCES ${vp_capture_tests}/DeviceListTest.cpp
          ${vp_capture_tests}/SyntheticCameraTest.cpp
          ${vp_capture_tests}/LibavInputTest.cpp
  LIBS vp_video_capture
  LABELS video)
vp_add_test(NAME video_capture_graph_test
  SOURCES ${vp_capture_tests}/CaptureGraphTest.cpp
  LIBS vp_video_capture
  LABELS video threaded)
vp_add_test(NAME video_capture_dialogs_test
  SOURCES ${vp_capture_tests}/CaptureDialogsTest.cpp
  LIBS vp_video_capture_ui
  LABELS video)
vp_add_test(NAME video_capture_threads_test
  SOURCES ${vp_capture_tests}/PipelineThreadsTest.cpp
  LIBS vp_video_capture
  LABELS video threaded)
