# Single plot: tick Plot, insert a function of x, solve to draw it.
tutorial_plot() {
  caption "Single plot: tick the Plot box before inserting" 0.3
  plot_toggle
  sleep 1
  caption "Type a function of x, e.g. sin[x]*x, and insert it" 0.3
  enter_expression "sin[x]*x"
  caption "A ticked item is plotted when you Solve" 0.5
  solve 3
  place_graph
  sleep 3
  caption "The range of x is shown in the status bar: -10 to 10, step 0,1" 3
  caption "Tools > Plot options... changes the range and the plot variable" 0.3
  menu_plot_options
  sleep 1
  caption "A new single plot replaces the old graph" 3
  xdotool key Escape; sleep 0.5
  enter_expression "x^2/10-3"
  solve 3
  place_graph
  caption "View > Graph shows the graph again at any time" 4
}
