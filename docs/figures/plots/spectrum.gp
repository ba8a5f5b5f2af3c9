# The initial spectrum |h0(k)|^2 over the 64 x 64 wave vectors, log scale,
# with the wind's direction and the peak wave number; beside it the centre,
# where the energy is, as the spectrum expects it, on a linear scale.
load 'style.gpi'
load 'numbers/values.txt'
set output 'spectrum.png'
eval canvas(1500, 720)
set multiplot layout 1,2 title sprintf("Initial spectrum |h_0(k)|^2 of the fixed sea (seed %d, wind %.2f units/s toward %g°)\npeak wavelength %.1f units (|k| = %.3f rad/unit, circle), shortest %.2f units; no energy across the wind (blank diagonal)", fixed_sea_seed, wind_speed, wind_direction_degrees, peak_wavelength, peak_wave_number, shortest_wavelength)
set xlabel 'k_x (rad/unit)'
set ylabel 'k_y (rad/unit)'
set size ratio -1
set key off
set object 1 circle at 0,0 size peak_wave_number fc rgb 'white' fs empty border lc rgb 'white' lw 1.5 front
set arrow 1 from 0,0 to 0.9*wind_unit_x, 0.9*wind_unit_y lc rgb 'white' lw 3 head filled size 0.06,25 front
set label 1 'wind' at 0.9*wind_unit_x + 0.04, 0.9*wind_unit_y + 0.06 tc rgb 'white' front
@pal_level
set title "all 64 x 64 wave vectors,\nlog scale"
set cblabel 'log_{10} |h_0(k)|^2'
set cbrange [-12:*]
set xrange [-1.62:1.55]
set yrange [-1.62:1.55]
plot 'numbers/spectrum.dat' using 1:2:($3 > 0 ? log10($3) : NaN) with image
set title "the centre, the spectrum's mean of |h_0|^2, linear scale:\nas much against the wind as with it"
set cblabel 'expected |h_0(k)|^2'
set cbrange [0:*]
set xrange [-0.45:0.45]
set xtics 0.2
set yrange [-0.45:0.45]
set arrow 1 from 0,0 to 0.35*wind_unit_x, 0.35*wind_unit_y lc rgb 'white' lw 3 head filled size 0.02,25 front
set label 1 'wind' at 0.35*wind_unit_x + 0.01, 0.35*wind_unit_y + 0.03 tc rgb 'white' front
plot 'numbers/spectrum.dat' using 1:2:4 with image
unset multiplot
