# Control tree, channel frame and small widgets.
target_sources(zx_app PRIVATE
  mainform_controls.cpp mainform_controls.h
  mainform_controls_build.cpp mainform_controls_build.h
  mainform_controls_top.cpp
  mainform_controls_multimeter.cpp
  mainform_controls_dac.cpp
  mainform_controls_coeffs.cpp
  mainform_controls_verify.cpp
  frames/q4705_adc_channel_frame.cpp frames/q4705_adc_channel_frame.h
  frames/value_edit.cpp frames/value_edit.h
  widgets/caption_label.cpp widgets/caption_label.h
  widgets/check_boxes.cpp widgets/check_boxes.h
  widgets/coefficient_cell_delegate.cpp widgets/coefficient_cell_delegate.h
  widgets/combo_row_height.cpp widgets/combo_row_height.h
  widgets/design_colours.cpp widgets/design_colours.h
  widgets/hover_focus.cpp widgets/hover_focus.h
  widgets/led_shape.cpp widgets/led_shape.h
  widgets/line_numbered_log.cpp widgets/line_numbered_log.h
  widgets/log_highlighter.cpp widgets/log_highlighter.h
  widgets/page_control.cpp widgets/page_control.h
  widgets/radio_group.cpp widgets/radio_group.h
  widgets/wrapped_text.cpp widgets/wrapped_text.h
  widgets/typed_key.cpp widgets/typed_key.h
  widgets/wrapping_push_button.cpp widgets/wrapping_push_button.h)
