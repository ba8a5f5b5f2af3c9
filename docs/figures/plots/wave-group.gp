# A wave group from two neighbouring wave vectors along x, through the
# viewer's own step: crests run at the phase speed c, the group's envelope at
# about c/2. One crest and the envelope's top are followed where they run.
load 'style.gpi'
load 'numbers/values.txt'
set output 'wave-group.png'
eval canvas(1100, 820)
T = (group_steps - 1) * group_interval
D = group_line_length * lattice_spacing
set title sprintf("Two waves, %g and %.1f units long, along x over %g s: a group %g units long\nblack: a crest followed (%.2f units/s); green: the group's top followed (%.2f units/s)", group_wavelength_1, group_wavelength_2, T, group_length, group_crest_speed, group_top_speed)
set xlabel 'running time (s)'
set ylabel 'x (world units, two patches)'
set cblabel 'height (world units before the x 0.1 height scale)'
@pal_signed
set cbrange [-2:2]
set xrange [0:T]
set yrange [0:D - lattice_spacing]
set bmargin 8
set key at screen 0.5, screen 0.015 center bottom horizontal maxcols 2 box opaque width 2
stats 'numbers/wave-group-tracks.dat' index 0 every ::0::0 using 2 name 'C' nooutput
stats 'numbers/wave-group-tracks.dat' index 1 every ::0::0 using 2 name 'G' nooutput
wrap(x) = x - D * floor(x / D)
plot 'numbers/wave-group.dat' matrix using ($2*group_interval):($1*lattice_spacing):3 with image notitle, \
     'numbers/wave-group-tracks.dat' index 0 using 1:(wrap($2)) with points pt 7 ps 0.5 lc rgb 'black' title 'a crest, followed', \
     'numbers/wave-group-tracks.dat' index 1 using 1:(wrap($2)) with points pt 7 ps 0.5 lc rgb '#1b9e77' title 'the group’s top, followed', \
     [0:T] C_min + group_phase_speed*x with lines ls 5 lc rgb 'black' lw 2 \
        title sprintf('phase speed c = ω/|k| = %.2f units/s', group_phase_speed), \
     [0:T] G_min + group_half_phase_speed*x with lines ls 5 lc rgb '#1b9e77' lw 2 \
        title sprintf('c/2 = %.2f units/s', group_half_phase_speed)
