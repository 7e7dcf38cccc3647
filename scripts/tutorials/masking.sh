# Answer masking: prefix, mask and suffix around the answer.
tutorial_masking() {
  caption "Answer masking: solve an expression first" 0.3
  enter_expression "1234567,891*3"
  solve 2
  caption "Tools > Mask options... sets a prefix, a mask and a suffix" 0.5
  menu_mask_options
  sleep 1
  click_at 251 118; xdotool key ctrl+a BackSpace; typed "Total: "
  caption "The mask #,##0.00 groups thousands and keeps two decimals" 0.3
  click_at 251 145; xdotool key ctrl+a BackSpace; typed "#,##0.00"
  click_at 251 172; xdotool key ctrl+a BackSpace; typed " EUR"
  caption "The preview shows the last answer with the new mask" 3
  click_at 256 262
  sleep 1
  solve 3
  caption "Every answer is now shown through the mask" 0.3
  enter_expression "1/7"
  solve 2.5
  caption "A scientific mask: 0.000E+00" 0.3
  menu_mask_options
  sleep 1
  click_at 251 145; xdotool key ctrl+a BackSpace; typed "0.000E+00"
  sleep 2
  click_at 256 262
  solve 2.5
  caption "Default in the dialog goes back to the plain answer" 0.3
  menu_mask_options
  sleep 1
  click_at 115 262
  sleep 2
  click_at 256 262
  solve 2
}
