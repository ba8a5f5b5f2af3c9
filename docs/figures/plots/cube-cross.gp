# The six faces of the environment cube map laid out as a cross, each as the
# cube map samples it, so that neighbouring faces meet along shared edges.
load 'style.gpi'
eval canvas(1100, 860)
set output 'cube-cross.png'
set title "The environment cube map unfolded: what the water mirrors (+Y is up in its frame)"
set size ratio -1
unset xtics
unset ytics
unset border
set style textbox opaque fillcolor rgb 'white' margins 4, 2
plot 'pixels/cube-cross.png' binary filetype=png with rgbimage notitle, \
     'numbers/cube-cross.dat' using 1:2:3 with labels font ',16' tc rgb 'black' \
         boxed notitle
