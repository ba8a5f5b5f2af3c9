# One line of the lattice along the wind over a few hundred steps: the
# streaks are crests on their way. The highest crests at the start are
# followed where they really run, beside the strongest wave's phase and
# group speeds.
load 'style.gpi'
load 'numbers/values.txt'
set output 'space-time.png'
set terminal pngcairo size 1100,820
T = (space_time_steps - 1) * space_time_interval
D = grid_size * space_time_spacing
c = peak_phase_speed
set title sprintf("Heights along the wind (lattice points (n, n)) over %d steps of %.4g s from the fixed sea\nblack: the three highest crests at the start, followed step by step until each is lost", space_time_steps, space_time_interval)
set xlabel sprintf('running time (s); the wave time is %g minus this', fixed_sea_wave_time)
set ylabel 'distance along the wind (world units)'
set cblabel 'height (world units before the x 0.1 height scale)'
@pal_signed
r = half_range(height_min, height_max)
set cbrange [-r:r]
set xrange [0:T]
set yrange [0:D - space_time_spacing]
set bmargin 9
set key at screen 0.5, screen 0.015 center bottom horizontal maxcols 2 box opaque width 2
stats 'numbers/crest-tracks.dat' index 0 every ::0::0 using 2 name 'S' nooutput
start = S_min
# Each track numbered just past its end, as the key numbers them.
do for [n=1:3] {
    stats 'numbers/crest-tracks.dat' index n-1 using 1 name 'F' nooutput
    last = F_records - 1
    stats 'numbers/crest-tracks.dat' index n-1 every ::last::last using 2 name 'E' nooutput
    set label n sprintf('%d', n) at F_max + 0.12, E_min left front tc rgb 'black' font ',14'
}
plot 'numbers/space-time.dat' matrix using ($2*space_time_interval):($1*space_time_spacing):3 with image notitle, \
     for [n=1:3] 'numbers/crest-tracks.dat' index n-1 using 1:2 with lines lc rgb 'black' lw 4 \
        title sprintf('crest %d, %.2f s: %.2f units/s', n, value(sprintf('crest_followed_seconds_%d', n)), value(sprintf('crest_speed_%d', n))), \
     [0:T] start + c*x with lines ls 5 lc rgb 'black' lw 2 title sprintf('phase speed c = %.2f (wavelength %.1f)', c, peak_wavelength), \
     [0:T] start + c/2*x with lines ls 5 lc rgb '#1b9e77' lw 2 title sprintf('group speed c/2 = %.2f', c/2)
