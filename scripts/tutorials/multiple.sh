# Multiple plots: several series in one graph.
tutorial_multiple() {
  caption "Multiple plots: Tools > Plot options... > Graph plot" 0.3
  menu_plot_options
  sleep 1
  click_at 65 272
  caption "With Multiple plots every plot is added to the graph" 2.5
  click_at 298 349
  plot_toggle
  enter_expression "sin[x]"
  enter_expression "cos[x]"
  enter_expression "x/5"
  caption "Select a ticked expression and Solve to add it" 0.3
  list_row 0
  solve 3
  place_graph
  list_row 1
  solve 3
  list_row 2
  solve 3
  caption "Three series in one graph" 3
  caption "The graph window's Clear button empties the graph" 0.5
  click_at 886 540
  sleep 2
  caption "Multiple plots (all) plots every ticked item with one Solve" 0.3
  menu_plot_options
  sleep 1
  click_at 65 298
  sleep 2
  click_at 298 349
  enter_expression "sin[x]+cos[x]"
  solve 4
  place_graph
  sleep 3
}
