# The heights' variance over many wave times at every lattice point, the
# viewer's pairing beside the textbook pairing, and its profile along the
# wind: the viewer's mirrored cells beat into calm stripes across the wind
# that do not move.
load 'style.gpi'
load 'numbers/values.txt'
set output 'calm-stripes.png'
eval canvas(1400, 1300)
stats 'numbers/calm-stripes-viewer.dat' matrix using 3 name 'V' nooutput
stats 'numbers/calm-stripes-textbook.dat' matrix using 3 name 'T' nooutput
top = V_max > T_max ? V_max : T_max
L = patch_length
s = lattice_spacing
# The line x + y = c within the patch, as an arrow without heads.
low(c) = c > L - s ? c - (L - s) : 0
high(c) = c > L - s ? L - s : c
set multiplot title sprintf("Height variance over %d wave times %.2f s apart, from the same initial spectrum:\nthe viewer's pairing (cell 63 - i, parts exchanged) against the textbook pairing\n(cell (64 - i) mod 64, conjugate), computed for comparison only", stripe_samples, stripe_sample_interval)
# The two maps side by side, the profile under them.
set size 0.5, 0.5
set origin 0, 0.4
set size ratio -1
@pal_level
set cbrange [0:top]
set xrange [-s/2:L - s/2]
set yrange [-s/2:L - s/2]
set xlabel 'x (world units)'
set ylabel 'y (world units)'
set cblabel 'variance (world units^2)' offset 1.5,0
set key off
set arrow 1 from low(calm_stripe_first_x_plus_y), high(calm_stripe_first_x_plus_y) \
    to high(calm_stripe_first_x_plus_y), low(calm_stripe_first_x_plus_y) nohead lc rgb 'white' dt 2 lw 2 front
set arrow 2 from low(calm_stripe_second_x_plus_y), high(calm_stripe_second_x_plus_y) \
    to high(calm_stripe_second_x_plus_y), low(calm_stripe_second_x_plus_y) nohead lc rgb 'white' dt 2 lw 2 front
set title "the viewer: two calm stripes per tile\n(dashed), across the wind"
plot 'numbers/calm-stripes-viewer.dat' matrix using ($2*s):($1*s):3 with image
unset arrow 1
unset arrow 2
set title "textbook pairing: no stripes\n(the speckle is the waves interfering)"
set origin 0.5, 0.4
plot 'numbers/calm-stripes-textbook.dat' matrix using ($2*s):($1*s):3 with image
set size noratio
set size 1, 0.4
set origin 0, 0
set autoscale
# Headroom above the curves for the key.
set yrange [0:1.35 * top]
set xlabel 'distance along the wind from (0, 0), (x + y)/√2 (world units)'
set ylabel "variance averaged\nacross the wind\n(world units^2)"
set key top right box opaque
set title sprintf("profile along the wind: calm every %.1f units", calm_stripe_period_along_wind)
plot 'numbers/calm-stripes-profile.dat' using 2:4 with lines ls 1 title "viewer", \
     '' using 2:5 with lines ls 2 title 'textbook pairing', \
     'numbers/calm-stripes-predicted.dat' using 2:3 with lines ls 5 lc rgb '#1f5f9f' \
        title "viewer, predicted (appendix A)"
unset multiplot
