# H.264 coding, the YUV -> RGB conversion and the remote display path.
set(coding_tests ${CMAKE_CURRENT_LIST_DIR})
vp_add_test(NAME video_coding_tests
  SOURCES
    ${coding_tests}/CodingRoundTripTest.cpp
    ${coding_tests}/ConvertYuv420ToRgb24Test.cpp
    ${coding_tests}/RemoteDisplayTest.cpp
    ${coding_tests}/VideoDecoderTest.cpp
    ${coding_tests}/VideoEncoderTest.cpp
  LIBS vp_video_coding vp_video_capture vp_video_rtp
  LABELS video)

vp_add_test(NAME video_coding_threaded_tests
  SOURCES ${coding_tests}/CodingConcurrencyTest.cpp
  LIBS vp_video_coding vp_video_capture
  LABELS video threaded)
