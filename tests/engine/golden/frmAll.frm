VERSION 5.00
Begin VB.Form frmAll
   BackColor       =   &H8000000F&
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "All "types""
   ClientHeight    =   2610
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   6000
   BeginProperty Font
      Name            =   "MS Sans Serif"
      Size            =   9.75
      Charset         =   204
      Weight          =   700
      Underline       =   0
      Italic          =   -1
      Strikethrough   =   0
   EndProperty
   ForeColor       =   &H80000012&
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight    =   2610
   ScaleWidth     =   6000
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin VB.CommandButton cmdOK
      Caption         =   "&OK"
      BackColor       =   &H8000000F&
      Height          =   480
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   1440
      Default         =   -1  'True
   End
   Begin VB.CommandButton cmdCancel
      Caption         =   "Cancel"
      BackColor       =   &H8000000F&
      Height          =   480
      HelpContextID   =   12
      Left            =   1680
      TabIndex        =   1
      Top             =   120
      Width           =   1440
      Cancel          =   -1  'True
   End
   Begin VB.Label lblName
      Caption         =   "File &name"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   240
      Left            =   120
      TabIndex        =   2
      Alignment       =   1
      ToolTipText     =   "Your name"
      Top             =   720
      Width           =   1210
      AutoSize        =   -1  'True
      BorderStyle     =   1
      WordWrap        =   0
   End
   Begin VB.TextBox txtName
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   360
      Left            =   1400
      TabIndex        =   3
      Tag             =   "name field"
      Top             =   720
      Width           =   2006.6
      HideSelection   =   0  'False
      Locked          =   -1 'True
      MaxLength       =   10
      MultiLine       =   -1 'True
      PasswordChar    =   "*"
      ScrollBars      =   2
      Text            =   "Line 1
Say ""hi"""
   End
   Begin VB.CheckBox chkAll
      Caption         =   "Show &all"
      BackColor       =   &H8000000F&
      Enabled         =   0   'False
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   240
      TabIndex        =   4
      Alignment       =   2
      Top             =   600
      Width           =   1800
      Value           =   1
   End
   Begin VB.OptionButton optA
      Caption         =   "&Alpha"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H00000000&
      Height          =   360
      Left            =   240
      TabIndex        =   5
      Top             =   1080
      Visible         =   0   'False
      Width           =   1200
      Value           =   -1 'True
   End
   Begin VB.ListBox lstItems
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   1200.6
      Left            =   3600
      TabIndex        =   6
      Top             =   120
      Width           =   1600
      IntegralHeight  =   0 'False
      MultiSelect     =   2
   End
   Begin VB.ComboBox cboKind
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   360
      Left            =   3600
      TabIndex        =   7
      TabStop         =   0   'False
      Top             =   1440
      Width           =   1600
      Style           =   2
   End
   Begin VB.Image imgLogo
      BackColor       =   &H8000000F&
      Height          =   640
      Left            =   5400
      TabIndex        =   8
      Top             =   120
      Width           =   640
   End
   Begin VB.HScrollBar hsbZoom
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   240
      Left            =   120
      TabIndex        =   9
      Top             =   2000
      Width           =   2400
   End
   Begin VB.VScrollBar vsbPos
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   1200
      Left            =   5000
      TabIndex        =   10
      Top             =   1000
      Width           =   240
   End
   Begin VB.VScrollBar vsbAuto
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   1200
      Left            =   5400
      TabIndex        =   11
      Top             =   1000
      Width           =   240
   End
End
Attribute VB_Name = "frmAll"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Private Sub Form_Initialize()
    lstItems.AddItem "a"
End Sub
Private Sub Form_Click()
End Sub
Public Sub UserForm_Foo()
End Sub
Private Sub cmdOK_Click()
    ' Private Sub Form_ in a comment
End Sub
